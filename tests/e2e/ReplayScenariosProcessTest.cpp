// cuponex --replay over several scenarios as a process: their order and
// counts, --update's rewrite and the JUnit report, through the real eqlink
// and the simulated printer; and the simulated printer refusing a pattern.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <map>
#include <regex>

#include "ReplayBench.h"

namespace {

using namespace eqlink_test;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// What a JUnit report holds, read with a small reader of its own: the
// attributes of each suite and the outcome element of each case, in order.
struct Report {
    struct Suite {
        std::map<std::string, std::string> attributes;
        std::vector<std::string> cases;  // "line N: CC" and its outcome: "ok", "failure"...
        std::map<std::string, std::string> properties;
    };
    std::vector<Suite> suites;
    std::map<std::string, std::string> total;
};

std::map<std::string, std::string> attributesOf(const std::string& tag) {
    std::map<std::string, std::string> attributes;
    static const std::regex attribute(R"re(([a-z]+)="([^"<]*)")re");
    for (std::sregex_iterator it(tag.begin(), tag.end(), attribute), end; it != end; ++it)
        attributes[(*it)[1]] = (*it)[2];
    return attributes;
}

// Each element of the report and the case's outcome; nothing but the five
// kinds of element a report holds, each closed as opened.
Report readReport(const std::string& xml) {
    Report report;
    static const std::regex element(R"re(<(/?)([a-z-]+)([^>]*?)(/?)>)re");
    std::vector<std::string> open;
    for (std::sregex_iterator it(xml.begin(), xml.end(), element), end; it != end; ++it) {
        const std::string name = (*it)[2], rest = (*it)[3];
        const bool closing = (*it)[1].length() > 0, empty = (*it)[4].length() > 0;
        if (closing) {
            EXPECT_FALSE(open.empty() || open.back() != name) << "unbalanced </" << name << ">";
            if (!open.empty()) open.pop_back();
            continue;
        }
        const auto attributes = attributesOf(rest);
        if (name == "testsuites") {
            report.total = attributes;
        } else if (name == "testsuite") {
            report.suites.push_back({attributes, {}, {}});
        } else if (name == "property") {
            report.suites.back().properties[attributes.at("name")] = attributes.at("value");
        } else if (name == "testcase") {
            EXPECT_EQ(attributes.at("classname"), report.suites.back().attributes.at("name"));
            report.suites.back().cases.push_back(attributes.at("name") + " ok");
        } else if (name == "failure" || name == "error" || name == "skipped") {
            std::string& last = report.suites.back().cases.back();
            last = last.substr(0, last.size() - 2) + name;
        } else {
            EXPECT_TRUE(name == "properties" || name == "system-out") << name;
        }
        if (!empty) open.push_back(name);
    }
    EXPECT_TRUE(open.empty());
    return report;
}

std::string counts(const std::map<std::string, std::string>& attributes) {
    return attributes.at("tests") + " " + attributes.at("failures") + " " +
           attributes.at("errors") + " " + attributes.at("skipped");
}

TEST(ReplayScenarios, SeveralFilesRunInOrderEachNamedAndCounted) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string a = bench.scenario("a", "05\t.+0500\n42\t.+9900\n");
    const std::string b = bench.scenario("b", "# reading\n43\t.+{{\\d\\d}}00\n05\n");
    const auto run = bench.cuponex({"--replay", a, b, "--dir", bench.workDir()});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    for (const std::string& line :
         {a + ": line 1  05  ", a + ": line 2: expected \".+9900\"\n",
          a + ": 2 exchanges: 1 equal, 1 differ, 0 not compared\n", b + ": line 2  43  ",
          b + ": 2 exchanges: 1 equal, 0 differ, 1 not compared\n",
          std::string("2 files, 4 exchanges: 2 equal, 1 differ, 1 not compared\n")})
        EXPECT_TRUE(contains(run.out, line)) << line << "\n" << run.out;
    EXPECT_LT(run.out.find(a + ": 2 exchanges"), run.out.find(b + ": line 2"));
    EXPECT_EQ(bench.frames(), "\\x1B.05}\n\\x1B.42}\n\\x1B.43}\n\\x1B.05}\n");

    // A bad file anywhere sends nothing: every file is read before.
    const std::string bad = bench.scenario("bad", "05\n05\t{{(}}\n");
    const auto refused = bench.cuponex({"--replay", a, bad, "--dir", bench.workDir()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(contains(refused.err, bad + ":2: pattern {{(}}: missing closing parenthesis"))
        << refused.err;
    EXPECT_EQ(refused.out, "");
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(bench.frames(), "\\x1B.05}\n\\x1B.42}\n\\x1B.43}\n\\x1B.05}\n");
}

// The author's file, CR LF, comments and lower-case escapes kept: only the
// differing lines' replies change.
const std::string kAuthored =
    "# nightly \\xe7 reading\r\n"
    "\r\n"
    "05\\x7e\t.+0500\r\n"
    "42\t.+9900\r\n"
    "43\t.+{{[0-9]+}}\\x30\\x30\r\n"
    "  \t\n"
    "05\n"
    "13\tRELATORIO 13 {{.*}}";

TEST(ReplayScenarios, UpdateRewritesTheDifferingRepliesAndKeepsEveryOtherByte) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string a = bench.scenario("a", kAuthored);
    // b is a symbolic link: the file it leads to is updated, the link stays.
    const std::string target = bench.scenario("target", "37\t.+3700\n05\t.+0500\n");
    const std::string b = bench.dir / "b";
    ASSERT_EQ(::symlink(target.c_str(), b.c_str()), 0);
    const auto run = bench.cuponex({"--replay", a, b, "--dir", bench.workDir(), "--update"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(contains(run.out, a + ": line 4  42  ")) << run.out;
    EXPECT_TRUE(contains(run.out, "differs (updated)\n" + a + ": line 4: expected \".+9900\"\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, b + ": line 1  37  ")) << run.out;
    EXPECT_EQ(readFile(a).value_or(""),
              "# nightly \\xe7 reading\r\n"
              "\r\n"
              "05\\x7e\t.+0500\r\n"
              "42\t.+4200\r\n"
              "43\t.+{{[0-9]+}}\\x30\\x30\r\n"
              "  \t\n"
              "05\n"
              "13\tRELATORIO 13 {{.*}}");
    EXPECT_EQ(readFile(target).value_or(""), "37\t.-P003\n05\t.+0500\n");
    EXPECT_TRUE(std::filesystem::is_symlink(b));
    const auto again = bench.cuponex({"--replay", a, b, "--dir", bench.workDir()});
    EXPECT_EQ(again.status, 0) << again.out << again.err;
}

TEST(ReplayScenarios, UpdateWritesNothingWhenAFileIsBadOrAnExchangeFails) {
    Bench bench({"--baud", "50"});  // a reply of 7 bytes takes 1.4 s
    ASSERT_TRUE(bench.ready());
    const std::string a = bench.scenario("a", kAuthored);
    const std::string bad = bench.scenario("bad", "42\t.+9900\n05\\q\n");
    EXPECT_EQ(bench.cuponex({"--replay", a, bad, "--dir", bench.workDir(), "--update"}).status, 2);
    EXPECT_EQ(readFile(bad).value_or(""), "42\t.+9900\n05\\q\n");

    // The link held once the printer has the first request: its reply never
    // comes (differs), the next request is taken by no link and the run stops.
    const std::string first = bench.scenario("first", "42\t.+9900\n05\t.+0500\n");
    ChildProcess run(CUPONEX_PATH, {"--replay", first, a, "--dir", bench.workDir(), "--wait", "2",
                                    "--update", "--junit", bench.dir / "report.xml"});
    ASSERT_TRUE(waitFor([&] { return contains(bench.frames(), "\\x1B.42}"); }, 5000ms));
    ASSERT_EQ(::kill(bench.linkPid(), SIGSTOP), 0);
    const int status = run.waitForExit(30s);
    ASSERT_EQ(::kill(bench.linkPid(), SIGCONT), 0);
    EXPECT_EQ(status, 3) << run.out() << run.err();
    EXPECT_TRUE(contains(run.out(), first + ": line 1  42  ")) << run.out();
    EXPECT_TRUE(contains(run.out(), first + ": line 2  05  not taken: ")) << run.out();
    EXPECT_TRUE(contains(run.err(), "no scenario updated")) << run.err();
    EXPECT_EQ(readFile(first).value_or(""), "42\t.+9900\n05\t.+0500\n");
    EXPECT_EQ(readFile(a).value_or(""), kAuthored);

    // The report is written all the same: what ran, what failed and what was
    // left, the second file's exchanges all skipped.
    const Report report = readReport(readFile(bench.dir / "report.xml").value_or(""));
    ASSERT_EQ(report.suites.size(), 2u);
    EXPECT_EQ(counts(report.total), "7 1 1 5");
    EXPECT_EQ(counts(report.suites[0].attributes), "2 1 1 0");
    EXPECT_EQ(report.suites[0].cases,
              (std::vector<std::string>{"line 1: 42 failure", "line 2: 05 error"}));
    EXPECT_EQ(counts(report.suites[1].attributes), "5 0 0 5");
    EXPECT_EQ(report.suites[1].cases.front(), "line 3: 05 skipped");
}

TEST(ReplayScenarios, JUnitReportOfEqualDifferingAndFailedRuns) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string a = bench.scenario("a", "05\t.+0500\n42\t.+9900\n13\tRELATORIO{{.*}}\n");
    const std::string b = bench.scenario("b", "43\n# x\n05\t.+05{{\\d+}}\n");
    const std::string xml = bench.dir / "report.xml";

    // Replies differ (1): one failure, in the first file.
    const auto differing =
        bench.cuponex({"--replay", a, b, "--dir", bench.workDir(), "--junit", xml});
    EXPECT_EQ(differing.status, 1) << differing.out << differing.err;
    const std::string text = readFile(xml).value_or("");
    Report report = readReport(text);
    ASSERT_EQ(report.suites.size(), 2u) << text;
    EXPECT_EQ(counts(report.total), "5 1 0 0");
    EXPECT_EQ(report.suites[0].attributes.at("name"), a);
    EXPECT_EQ(report.suites[0].cases,
              (std::vector<std::string>{"line 1: 05 ok", "line 2: 42 failure", "line 3: 13 ok"}));
    EXPECT_EQ(report.suites[1].cases, (std::vector<std::string>{"line 1: 43 ok", "line 3: 05 ok"}));
    EXPECT_EQ(report.suites[1].properties.at("directory"), bench.workDir());
    EXPECT_EQ(report.suites[1].properties.at("wait"), "5 s");
    EXPECT_TRUE(std::regex_search(report.suites[0].attributes.at("timestamp"),
                                  std::regex(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d$)")));
    EXPECT_TRUE(
        std::regex_match(report.suites[0].attributes.at("time"), std::regex(R"(\d+\.\d{3})")));
    EXPECT_FALSE(report.suites[0].attributes.at("hostname").empty());
    EXPECT_TRUE(
        contains(text, "message=\"expected &quot;.+9900&quot;, received &quot;.+4200&quot;\""))
        << text;
    EXPECT_TRUE(contains(text, "<system-out>command: 05\nreply: .+0500</system-out>")) << text;

    // Every reply equal (0).
    const std::string golden = bench.scenario("golden", "05\t.+0500\n42\t.+4200\n");
    const auto equal =
        bench.cuponex({"--replay", golden, b, "--dir", bench.workDir(), "--junit", xml});
    EXPECT_EQ(equal.status, 0) << equal.out << equal.err;
    EXPECT_EQ(counts(readReport(readFile(xml).value_or("")).total), "4 0 0 0");

    // An input/output error at the first exchange (3): an error, and every
    // other exchange of both files skipped.
    const auto failed =
        bench.cuponex({"--replay", a, b, "--dir", bench.dir / "nowhere", "--junit", xml});
    EXPECT_EQ(failed.status, 3) << failed.out << failed.err;
    report = readReport(readFile(xml).value_or(""));
    EXPECT_EQ(counts(report.total), "5 0 1 4");
    EXPECT_EQ(report.suites[0].cases.front(), "line 1: 05 error");
    EXPECT_EQ(counts(report.suites[1].attributes), "2 0 0 2");
}

TEST(ReplayScenarios, NotTakenRunReportsAnErrorAndSkipsTheRest) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    ASSERT_EQ(::kill(bench.linkPid(), SIGSTOP), 0);
    const std::string a = bench.scenario("a", "05\t.+0500\n42\n");
    const std::string b = bench.scenario("b", "43\t.+4300\n");
    const std::string xml = bench.dir / "report.xml";
    const auto run =
        bench.cuponex({"--replay", a, b, "--dir", bench.workDir(), "--wait", "1", "--junit", xml});
    ASSERT_EQ(::kill(bench.linkPid(), SIGCONT), 0);
    EXPECT_EQ(run.status, 3) << run.out << run.err;
    const std::string text = readFile(xml).value_or("");
    const Report report = readReport(text);
    EXPECT_EQ(counts(report.total), "3 0 1 2");
    EXPECT_TRUE(contains(text, "<error message=\"not taken: no link took the request from " +
                                   bench.workDir() + " within 1 s (is eqlink running?)\""))
        << text;
}

// A scenario with a pattern tells what may come, not what to send: the
// simulated printer refuses it before it opens its port.
TEST(ReplayScenarios, SimulatedPrinterRefusesARecordWithAPattern) {
    ScratchDir dir;
    writeFile(dir / "golden", "05\t.+0500\n# read\n43\t.+{{\\d+}}\n");
    ChildProcess sim(ECFSIM_PATH, {"--replies", dir / "golden", "--link", dir / "tty"});
    EXPECT_EQ(sim.waitForExit(10s), 2);
    EXPECT_EQ(sim.err(), "ecfsim: " + (dir / "golden") +
                             ":3: a reply with a pattern cannot be sent; give the simulated "
                             "printer a --record file\n");
    EXPECT_FALSE(exists(dir / "tty"));
}

}  // namespace
