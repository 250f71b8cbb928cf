#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "scenario/Scenario.h"

namespace cuponex {
namespace {

using Reply = std::optional<std::string>;

ScenarioStep step(std::string command, Reply expected, std::string comment = {}) {
    return {std::move(command), std::move(expected), 0, std::move(comment), {}};
}

struct Worked {
    std::string line;
    std::string command;
    Reply expected;
};

TEST(ScenarioRead, WorkedLines) {
    const std::vector<Worked> cases = {
        {"05", "05", std::nullopt},
        {"05\t.+0500", "05", ".+0500"},
        {"05\t", "05", ""},
        {"09a\\\\b\\xE7\t.+0900", "09a\\b\xE7", ".+0900"},
        {"09\\xe7\\xC7\\x00", std::string("09\xE7\xC7\0", 5), std::nullopt},
        {"10\\x09x\t\\x09", "10\tx", "\t"},
        {"01AB\\x20\tok\\x20", "01AB ", "ok "},
        {"01AB  \tok ", "01AB  ", "ok "},  // raw trailing spaces are spaces
        {"\\x23 not a comment", "# not a comment", std::nullopt},
        {"  05", "  05", std::nullopt},
        {"05\t#", "05", "#"},
        {"05\t.+0500\r", "05", ".+0500"},  // the CR before the line feed
        {"~!\t}~", "~!", "}~"},            // the ends of the printable bytes
    };
    for (const Worked& c : cases) {
        const auto steps = parseScenario(c.line + "\n", "s.scn");
        ASSERT_EQ(steps.size(), 1u) << c.line;
        EXPECT_EQ(steps[0].command, c.command) << c.line;
        EXPECT_EQ(steps[0].expected, c.expected) << c.line;
    }
}

TEST(ScenarioRead, SkipsCommentsAndBlankLinesAndCountsEveryLine) {
    const std::string text =
        "# a session\r\n"
        "\n"
        "05\t.+0500\r\n"
        "   \t \n"
        "#\xE7 any bytes\tin a comment\n"
        "13"; /* no final line feed */
    const auto steps = parseScenario(text, "s.scn");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].command, "05");
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[1].command, "13");
    EXPECT_EQ(steps[1].expected, std::nullopt);
    EXPECT_EQ(steps[1].line, 6);
    EXPECT_TRUE(parseScenario("", "s.scn").empty());
}

TEST(ScenarioRead, ErrorsNameTheFileAndLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"05\\q", "unknown escape \\q"},
        {"05\\x4", "\\x without two hexadecimal digits"},
        {"05\\x4G\t", "\\x without two hexadecimal digits"},
        {"05\t\\xZ1", "\\x without two hexadecimal digits"},
        {"05\\", "a lone backslash at the end, write it as \\\\"},
        {"\t.+0500", "empty command text"},
        {"05\ta\tb", "more than one TAB"},
        {"05\xE7", "raw byte 0xE7, write it as \\xE7"},
        {"05\t.+05\x7F", "raw byte 0x7F, write it as \\x7F"},
        {std::string("05\0", 3), "raw byte 0x00, write it as \\x00"},
        {"05\r\r", "raw byte 0x0D, write it as \\x0D"},  // only one CR is dropped
        {"05\\\x01", "raw byte 0x01, write it as \\x01"},
    };
    for (const auto& [line, reason] : cases) {
        try {
            parseScenario("# first\n05\n" + line + "\n05\\q\n", "dir/s.scn");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const ScenarioError& error) {
            EXPECT_EQ(std::string(error.what()), "dir/s.scn:3: " + reason);
        }
    }
    // A CR that ends the text without a line feed is a raw byte.
    EXPECT_THROW(parseScenario("05\r", "s.scn"), ScenarioError);
}

TEST(ScenarioWrite, WorkedSteps) {
    const std::vector<std::pair<ScenarioStep, std::string>> cases = {
        {step("05", std::nullopt), "05\n"},
        {step("05", ".+0500"), "05\t.+0500\n"},
        {step("05", ""), "05\t\n"},
        {step("01AB  ", "ok "), "01AB \\x20\tok\\x20\n"},
        {step(" ", " "), "\\x20\t\\x20\n"},
        {step("#1", "#"), "\\x231\t#\n"},
        {step("!~", "~ ~"), "!~\t~ ~\n"},  // 0x20 to 0x7E stand for themselves
        {step("a\\b\t\xE7\n\r", std::nullopt), "a\\\\b\\x09\\xE7\\x0A\\x0D\n"},
        {step("05", std::nullopt, "venda\n\nsegundo \xE9\t "),
         "# venda\n#\n# segundo \\xE9\\x09\\x20\n05\n"},
    };
    for (const auto& [written, text] : cases) EXPECT_EQ(writeScenario({written}), text) << text;
    EXPECT_THROW(writeScenario({step("", "x")}), ScenarioError);
}

// The notation's bytes without a field's two rules, as ecfsim's log writes
// them: a trailing space and a leading "#" stay as they are.
TEST(ScenarioWrite, BytesWithoutTheFieldRules) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\x1b.05}", "\\x1B.05}"},
        {"# a ", "# a "},
        {" ~\\", " ~\\\\"},
        {std::string("\0\t\x7F\x80\xE7\xFF", 6), "\\x00\\x09\\x7F\\x80\\xE7\\xFF"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(escapeBytes(bytes), text);
        EXPECT_EQ(unescapeField(text), bytes);
    }
}

TEST(ScenarioWrite, ReadsBackExactlyWhateverTheBytes) {
    std::string every;
    for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
    std::vector<ScenarioStep> steps;
    for (const std::string& text :
         {every, std::string("#"), std::string(" "), std::string("\t"), std::string("\r"),
          std::string("\\"), std::string("\\x41"), std::string("# #\t# "), std::string("a  "),
          std::string(1, '\0'), std::string(".-P006}")}) {
        steps.push_back(step(text, text));
        steps.push_back(step(text, std::nullopt, text));
        steps.push_back(step("05", text));
    }
    const std::string written = writeScenario(steps);
    for (char c : written)
        ASSERT_TRUE(c == '\n' || c == '\t' || (c >= 0x20 && c <= 0x7E)) << int(c);
    EXPECT_EQ(written.find(" \n"), std::string::npos);
    EXPECT_EQ(written.find(" \t"), std::string::npos);

    const auto read = parseScenario(written, "s.scn");
    ASSERT_EQ(read.size(), steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(read[i].command, steps[i].command) << i;
        EXPECT_EQ(read[i].expected, steps[i].expected) << i;
    }
}

class ScenarioFile : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "scn-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

std::string failure(const std::string& path) {
    try {
        readScenarioFile(path);
    } catch (const ScenarioError& error) {
        return error.what();
    }
    return "(read)";
}

TEST_F(ScenarioFile, ReadsARegularFileOrALinkToOne) {
    std::ofstream(path("s.scn")) << "05\t.+0500\n05\\q\n";
    EXPECT_EQ(failure(path("s.scn")), path("s.scn") + ":2: unknown escape \\q");
    std::ofstream(path("s.scn")) << "05\t.+0500\n";
    EXPECT_EQ(readScenarioFile(path("s.scn")).at(0).expected, ".+0500");

    // The file its user names may be a symbolic link to it.
    ASSERT_EQ(::symlink(path("s.scn").c_str(), path("link").c_str()), 0);
    EXPECT_EQ(readScenarioFile(path("link")).size(), 1u);
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);  // no writer: must not wait for one
    ASSERT_EQ(::mkdir(path("dir").c_str(), 0700), 0);
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"fifo", "not a regular file"},
        {"dir", "Is a directory"},
        {"missing", "No such file or directory"},
    };
    for (const auto& [name, reason] : refused)
        EXPECT_EQ(failure(path(name)), path(name) + ": " + reason);
}

// A scenario is a few kilobytes: past 64 MiB a file is refused, not read on.
// A comment line of zero bytes, sparse, makes either size cheaply.
TEST_F(ScenarioFile, LargerThan64MiBIsRefused) {
    constexpr off_t kCap = 64 * 1024 * 1024;
    for (const off_t size : {kCap, kCap + 1}) {
        std::ofstream(path("big.scn")) << "#";
        std::filesystem::resize_file(path("big.scn"), size);
        EXPECT_EQ(failure(path("big.scn")),
                  size > kCap ? path("big.scn") + ": larger than 64 MiB" : "(read)")
            << size;
    }
}

}  // namespace
}  // namespace cuponex

namespace cuponex {
namespace {

// Expected replies with patterns, as the reader takes them from a file: the
// step keeps the field as written and matches by its compiled patterns.
TEST(ScenarioPatterns, ReadFromAFileAndMatched) {
    struct Case {
        std::string field;
        std::vector<std::string> matching, missing;
    };
    const std::vector<Case> cases = {
        {".+2700 {{[0-9]{6}}} {{\\d\\d/\\d\\d/\\d\\d}}",
         {".+2700 000123 08/12/26"},
         {".+2700 00123 08/12/26", ".+2700 000123 08/12/26 ", ".+2700 0001234 08/12/26"}},
        {"{{.*}}\\x7D", {"}", "abc}", "\n}"}, {"abc", "}x"}},
        {"\\x7B{{x}}", {"{x"}, {"x", "{{x"}},
        {"{{\\x41|\\\\}}", {"A", "\\"}, {"a", "\\\\"}},
    };
    for (const Case& c : cases) {
        const auto steps = parseScenario("# c\n05\t" + c.field + "\n", "s.scn");
        ASSERT_EQ(steps.size(), 1u) << c.field;
        ASSERT_TRUE(steps[0].pattern.has_value()) << c.field;
        EXPECT_EQ(steps[0].expected, c.field);
        EXPECT_EQ(expectedAsWritten(steps[0]), c.field);
        for (const std::string& reply : c.matching)
            EXPECT_TRUE(steps[0].pattern->matches(reply)) << c.field << " / " << reply;
        for (const std::string& reply : c.missing)
            EXPECT_FALSE(steps[0].pattern->matches(reply)) << c.field << " / " << reply;
    }
    // Without a raw "{{" a reply is literal bytes, as it always was.
    const auto literal = parseScenario("05\t\\x7B{a}}\n", "s.scn");
    EXPECT_FALSE(literal[0].pattern.has_value());
    EXPECT_EQ(literal[0].expected, "{{a}}");
    EXPECT_EQ(expectedAsWritten(literal[0]), "\\x7B{a}}");
}

TEST(ScenarioPatterns, ErrorsNameTheFileAndLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"05\t.+{{}}", "an empty pattern {{}}"},
        {"05\t.+{{[0-9]", "a pattern {{ without its end }}"},
        {"05\t{{a}}{{(}}", "pattern {{(}}: missing closing parenthesis at offset 1"},
        {"05\t{{x}}\\q", "unknown escape \\q"},
    };
    for (const auto& [line, reason] : cases) {
        try {
            parseScenario("# first\n05\n" + line + "\n", "dir/s.scn");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const ScenarioError& error) {
            EXPECT_EQ(std::string(error.what()), "dir/s.scn:3: " + reason);
        }
    }
}

// Whatever the braces in a recorded reply, it is written so that it reads
// back as those bytes, never as a pattern; a pattern step's field is kept.
TEST(ScenarioWrite, BracesReadBackAsBytesNeverAsAPattern) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{{", "\\x7B{"}, {"{{{", "\\x7B\\x7B{"}, {"a{{x}}b", "a\\x7B{x}}b"},
        {"{ {", "{ {"},   {"}}{", "}}{"},         {"{{ ", "\\x7B{\\x20"},
    };
    for (const auto& [bytes, field] : cases) {
        EXPECT_EQ(writeScenario({step("05", bytes)}), "05\t" + field + "\n");
        const auto read = parseScenario(writeScenario({step(bytes, bytes)}), "s.scn");
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0].command, bytes);
        EXPECT_EQ(read[0].expected, bytes);
        EXPECT_FALSE(read[0].pattern.has_value()) << field;
    }
    const auto patterned = parseScenario("05\t.+{{\\d+}}\\x7d\r\n", "s.scn");
    EXPECT_EQ(writeScenario(patterned), "05\t.+{{\\d+}}\\x7d\n");
}

}  // namespace
}  // namespace cuponex
