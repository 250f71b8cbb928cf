#include <gtest/gtest.h>

#include <locale>
#include <regex>
#include <string>
#include <vector>

#include "scenario/JUnitReport.h"

namespace cuponex {
namespace {

JUnitCase exchange(int line, std::string code, JUnitOutcome outcome) {
    JUnitCase c;
    c.line = line;
    c.code = code;
    c.command = code;
    c.outcome = outcome;
    c.seconds = 0.25;
    if (outcome != JUnitOutcome::Skipped && outcome != JUnitOutcome::Error) {
        c.expected = ".+" + code + "00";
        c.received = ".+" + code + "00";
    }
    return c;
}

JUnitSuite suite(std::string name, std::vector<JUnitCase> cases) {
    JUnitSuite s;
    s.name = std::move(name);
    s.seconds = 1.5;
    s.started = 1796700441;  // 2026-12-08T03:27:21Z
    s.hostname = "lab1";
    s.properties = {{"directory", "/home/usuarios/ecf/ttyS0"}, {"wait", "5"}};
    s.cases = std::move(cases);
    return s;
}

TEST(JUnitReport, WritesEveryOutcomeAsTheReadersExpect) {
    JUnitCase differs = exchange(4, "13", JUnitOutcome::Differs);
    differs.expected = ".+1300 {{[0-9]+}}";
    differs.received = ".-P006";
    JUnitCase failed = exchange(5, "09", JUnitOutcome::Error);
    failed.error = "not taken by the link";
    const std::string expected =
        R"(<?xml version="1.0" encoding="UTF-8"?>
<testsuites tests="4" failures="1" errors="1" skipped="1" time="1.500">
  <testsuite name="a.scn" tests="4" failures="1" errors="1" skipped="1" time="1.500" timestamp="2026-12-08T03:27:21" hostname="lab1">
    <properties>
      <property name="directory" value="/home/usuarios/ecf/ttyS0"/>
      <property name="wait" value="5"/>
    </properties>
    <testcase classname="a.scn" name="line 3: 05" time="0.250">
      <system-out>command: 05
reply: .+0500</system-out>
    </testcase>
    <testcase classname="a.scn" name="line 4: 13" time="0.250">
      <failure message="expected &quot;.+1300 {{[0-9]+}}&quot;, received &quot;.-P006&quot;" type="differs">expected: .+1300 {{[0-9]+}}
received: .-P006</failure>
      <system-out>command: 13
reply: .-P006</system-out>
    </testcase>
    <testcase classname="a.scn" name="line 5: 09" time="0.250">
      <error message="not taken by the link" type="exchange">not taken by the link</error>
      <system-out>command: 09</system-out>
    </testcase>
    <testcase classname="a.scn" name="line 7: 05" time="0.250">
      <skipped message="not run after a failed exchange"/>
      <system-out>command: 05</system-out>
    </testcase>
  </testsuite>
</testsuites>
)";
    EXPECT_EQ(
        writeJUnitReport({suite("a.scn", {exchange(3, "05", JUnitOutcome::Equal), differs, failed,
                                          exchange(7, "05", JUnitOutcome::Skipped)})}),
        expected);
}

// The number of times `text` holds a match of `re`.
std::size_t count(const std::string& text, const std::string& re) {
    const std::regex expression(re);
    return std::distance(std::sregex_iterator(text.begin(), text.end(), expression),
                         std::sregex_iterator());
}

TEST(JUnitReport, CountsEachSuiteAndTheWhole) {
    const std::string report = writeJUnitReport({
        suite("a.scn",
              {exchange(1, "05", JUnitOutcome::Equal), exchange(2, "05", JUnitOutcome::Differs),
               exchange(3, "05", JUnitOutcome::Differs)}),
        suite("b.scn",
              {exchange(1, "05", JUnitOutcome::Error), exchange(2, "05", JUnitOutcome::Skipped),
               exchange(3, "05", JUnitOutcome::Skipped)}),
        suite("c.scn", {}),
    });
    EXPECT_EQ(count(report, R"(<testsuites tests="6" failures="2" errors="1" skipped="2" )"
                            R"(time="4.500">)"),
              1u);
    EXPECT_EQ(count(report, R"(<testsuite name="a.scn" tests="3" failures="2" errors="0" )"
                            R"(skipped="0" )"),
              1u);
    EXPECT_EQ(count(report, R"(<testsuite name="b.scn" tests="3" failures="0" errors="1" )"
                            R"(skipped="2" )"),
              1u);
    EXPECT_EQ(count(report, R"(<testsuite name="c.scn" tests="0" failures="0" errors="0" )"
                            R"(skipped="0" )"),
              1u);
    EXPECT_EQ(count(report, R"(<testcase classname="b.scn" )"), 3u);
    EXPECT_EQ(count(report, "<system-out>"), 6u);
    EXPECT_EQ(count(report, "<failure "), 2u);
    EXPECT_EQ(count(report, "</testsuite>"), 3u);
}

// A comma for the decimal point, as some users' locales have it.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(JUnitReport, TimesHaveAPointWhateverTheLocale) {
    const std::locale before = std::locale::global(std::locale(std::locale(), new CommaPoint));
    JUnitSuite s = suite("a.scn", {exchange(1, "05", JUnitOutcome::Equal)});
    s.seconds = 12.3456;
    s.cases[0].seconds = -1;  // a clock that went back is no time
    const std::string report = writeJUnitReport({s});
    std::locale::global(before);
    EXPECT_EQ(count(report, R"(time="12\.346")"), 2u);
    EXPECT_EQ(count(report, R"(time="0\.000")"), 1u);
}

TEST(JUnitReport, AnyTextMakesWellFormedXml) {
    JUnitCase c = exchange(1, "05", JUnitOutcome::Differs);
    c.command = "a&b<c>d\"e'f";
    c.expected = "x\ny";
    c.received = std::string("\x01\xE7\0z", 4);
    JUnitSuite s = suite("d\xE3o & <b>.scn", {c});
    s.hostname = "h\"1";
    const std::string report = writeJUnitReport({s});
    for (const char byte : report)
        ASSERT_TRUE(byte == '\n' || (byte >= 0x20 && byte <= 0x7E)) << int(byte);
    EXPECT_NE(report.find("command: a&amp;b&lt;c&gt;d&quot;e&apos;f"), std::string::npos);
    EXPECT_NE(report.find(R"(name="d\xE3o &amp; &lt;b&gt;.scn")"), std::string::npos);
    EXPECT_NE(report.find(R"(hostname="h&quot;1")"), std::string::npos);
    // In an attribute a line feed is a reference, or readers would make it a space.
    EXPECT_NE(report.find(R"(message="expected &quot;x&#10;y&quot;, received &quot;\x01\xE7\x00z)"),
              std::string::npos);
    EXPECT_NE(report.find("reply: \\x01\\xE7\\x00z</system-out>"), std::string::npos);
    // Every "&" begins one of the references written.
    EXPECT_EQ(count(report, "&"), count(report, "&(amp|lt|gt|quot|apos|#10);"));
}

}  // namespace
}  // namespace cuponex
