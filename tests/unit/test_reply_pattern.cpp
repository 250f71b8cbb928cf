#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "scenario/Scenario.h"
#include "scenario/ReplyPattern.h"

namespace cuponex {
namespace {

struct Match {
    std::string field;  // as written in the file
    std::string received;
    bool equal;
};

TEST(ReplyPattern, WorkedMatchesAndMisses) {
    const std::vector<Match> cases = {
        // A reading with any counter and any date.
        {R"(.+2700 {{[0-9]{6}}} {{\d\d/\d\d/\d\d}})", ".+2700 001234 08/12/26", true},
        {R"(.+2700 {{[0-9]{6}}} {{\d\d/\d\d/\d\d}})", ".+2700 01234 08/12/26", false},
        {R"(.+2700 {{[0-9]{6}}} {{\d\d/\d\d/\d\d}})", ".+2700 001234 08/12/2026", false},
        {R"(.+2700 {{[0-9]{6}}} {{\d\d/\d\d/\d\d}})", ".+2701 001234 08/12/26", false},
        {R"(.+2700 {{[0-9]{6}}} {{\d\d/\d\d/\d\d}})", "x.+2700 001234 08/12/26", false},
        // A run of "}" ends the pattern at its last two.
        {"{{[0-9]{4}}}", "1234", true},
        {"{{[0-9]{4}}}", "12345", false},
        {"{{[0-9]{4}}}", "123", false},
        {"{{a}}}}", "a}}", true},
        {"{{a\\}}}", "a}", true},
        // A pattern may match nothing.
        {"A{{x*}}B", "AB", true},
        {"A{{x*}}B", "AxxB", true},
        {"A{{x*}}B", "AyB", false},
        {"{{(abc)?}}", "", true},
        // A "}" after a pattern, in either case of hex digit.
        {R"({{[0-9]+}}\x7D)", "12}", true},
        {R"({{[0-9]+}}\x7d)", "12", false},
        // Outside the braces the notation's escapes, literal byte for byte.
        {R"(a\\b\x41{{.}})", "a\\bAz", true},
        {R"(.+{{x}})", ".+x", true},
        {R"(.+{{x}})", "abx", false},
        {R"({{(?i)a}}A)", "aA", true},
        {R"({{(?i)a}}A)", "aa", false},
        // Inside, PCRE2 reads \xHH and \\ as the notation does.
        {R"({{\x41\\\x7D}})", "A\\}", true},
        {R"({{\x{41}}})", "A", true},
        {R"({{\x41}})", "B", false},
        // Bytes 0x80-0xFF, with no UTF: one byte is one character.
        {R"({{\xE7+}})", "\xE7\xE7", true},
        {"{{.}}", "\xFF", true},
        {R"(\xC7{{[\x80-\xFF]}})", "\xC7\x80", true},
        {R"(\xC7{{[\x80-\xFF]}})", "\xC7\x7F", false},
        {R"({{\w}})", "\xE7", false},
        // Line feeds and CRs: "." takes them, and the match is the whole part.
        {"{{.*}}", "a\nb", true},
        {"{{a$}}", "a\n", false},
        {R"({{[^x]+}}\x0A)", "\r\n", true},
        {R"({{\s+}})", "\n\r\t ", true},
        // Parts side by side: a greedy part gives back what the rest needs.
        {"{{.*}}:{{.*}}", "a:b:c", true},
        {"{{.*}}:{{.*}}", "abc", false},
        {"{{[a-z]+}}{{[0-9]+}}", "abc123", true},
        {"{{[a-z]+}}{{[0-9]+}}", "abc123x", false},
        {"{{.+}}{{.+}}", "a", false},
        {"{{a|ab}}c", "abc", true},
        {R"({{(a+)\1}})", "aaaa", true},
        {R"({{(a+)\1}})", "aaa", false},
        // Deeper than the machine code's stack: the interpreter finishes it.
        {"{{(a|b)*c}}", std::string(3000, 'a') + "c", true},
        {"{{(a|b)*c}}", std::string(3000, 'a') + "d", false},
        // No pattern: bytes compared as they are.
        {".+0500", ".+0500", true},
        {".+0500", ".+05000", false},
        {R"({\x7B}})", "{{}}", true},
        {"", "", true},
        {"", "x", false},
    };
    for (const Match& c : cases) {
        const ExpectedReply reply = ExpectedReply::parse(c.field);
        EXPECT_EQ(reply.matches(c.received), c.equal) << c.field << " / " << c.received;
        EXPECT_EQ(reply.written(), c.field);
    }
}

TEST(ReplyPattern, ANoPatternReplyIsItsBytes) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {".+0500", ".+0500"},
        {R"(\x7B{x}})", "{{x}}"},
        {R"({\x7B}})", "{{}}"},
        {R"(a\\\xE7\x0A)", "a\\\xE7\n"},
        {"", ""},
    };
    for (const auto& [field, bytes] : cases) {
        const ExpectedReply reply = ExpectedReply::parse(field);
        EXPECT_FALSE(reply.hasPattern()) << field;
        EXPECT_EQ(reply.literal(), bytes) << field;
    }
    EXPECT_TRUE(ExpectedReply::parse("ok{{.*}}").hasPattern());
    EXPECT_TRUE(ExpectedReply::parse("{{{a}}}").hasPattern());
}

TEST(ReplyPattern, ACopyKeepsItsCompiledPatterns) {
    std::optional<ExpectedReply> original = ExpectedReply::parse("A{{[0-9]+}}");
    const ExpectedReply copy = *original;
    original.reset();
    EXPECT_TRUE(copy.matches("A42"));
    EXPECT_FALSE(copy.matches("A"));
}

TEST(ReplyPattern, ErrorsGiveTheirReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{{}}", "an empty pattern {{}}"},
        {"ok{{}}x", "an empty pattern {{}}"},
        {"ab{{[0-9]", "a pattern {{ without its end }}"},
        {"{{a}", "a pattern {{ without its end }}"},
        {"{{a}}{{", "a pattern {{ without its end }}"},
        {"{{[0-9}}", "pattern {{[0-9}}: missing terminating ] for character class at offset 4"},
        {"{{a(}}", "pattern {{a(}}: missing closing parenthesis at offset 2"},
        {R"({{\}})", "pattern {{\\}}: \\ at end of pattern at offset 1"},
        {"{{(*UTF)a}}",
         "pattern {{(*UTF)a}}: using UTF is disabled by the application at offset 6"},
        {"{{a\xE7}}", "raw byte 0xE7 in a pattern, write it as \\xE7"},
        {"{{a\x01}}", "raw byte 0x01 in a pattern, write it as \\x01"},
        // PCRE2's escapes stand inside the braces only.
        {R"({{\d}}\d)", "unknown escape \\d"},
        {R"(\q{{a}})", "unknown escape \\q"},
        {R"({{a}}\x4)", "\\x without two hexadecimal digits"},
        {R"(ok\{{a}})", "a lone backslash at the end, write it as \\\\"},
        {"ok\xE7{{a}}", "raw byte 0xE7, write it as \\xE7"},
    };
    for (const auto& [field, reason] : cases) {
        try {
            ExpectedReply::parse(field);
            ADD_FAILURE() << "accepted: " << field;
        } catch (const ScenarioError& error) {
            EXPECT_EQ(std::string(error.what()), reason) << field;
        }
    }
}

}  // namespace
}  // namespace cuponex
