#include "JUnitReport.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/Digits.h"

namespace cuponex {
namespace {

// XML's five and, as a last guard, anything but printable ASCII as the
// notation writes it. In an attribute a line feed is a character reference,
// or the reader would take it for a space.
std::string escape(std::string_view text, bool attribute) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '\n':
                out += attribute ? "&#10;" : "\n";
                break;
            default:
                if (byte >= 0x20 && byte <= 0x7E) {
                    out += c;
                } else {
                    out += "\\x";
                    out += hexDigit(byte >> 4);
                    out += hexDigit(byte);
                }
        }
    }
    return out;
}

std::string attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + escape(value, true) + "\"";
}

// to_chars ignores the locale: always a point.
std::string secondsText(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    if (seconds > 1e12) seconds = 1e12;
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

std::string timestampText(std::time_t time) {
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    char text[80];  // room for any int the fields hold
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

struct Counts {
    std::size_t tests = 0, failures = 0, errors = 0, skipped = 0;

    void add(const JUnitCase& c) {
        ++tests;
        failures += c.outcome == JUnitOutcome::Differs;
        errors += c.outcome == JUnitOutcome::Error;
        skipped += c.outcome == JUnitOutcome::Skipped;
    }
    std::string attributes() const {
        return attribute("tests", std::to_string(tests)) +
               attribute("failures", std::to_string(failures)) +
               attribute("errors", std::to_string(errors)) +
               attribute("skipped", std::to_string(skipped));
    }
};

std::string outcomeElement(const JUnitCase& c) {
    switch (c.outcome) {
        case JUnitOutcome::Equal:
            return "";
        case JUnitOutcome::Differs: {
            const std::string expected = c.expected.value_or("");
            const std::string received = c.received.value_or("");
            return "      <failure" +
                   attribute("message",
                             "expected \"" + expected + "\", received \"" + received + "\"") +
                   attribute("type", "differs") + ">" + escape("expected: " + expected, false) +
                   "\n" + escape("received: " + received, false) + "</failure>\n";
        }
        case JUnitOutcome::Error:
            return "      <error" + attribute("message", c.error) + attribute("type", "exchange") +
                   ">" + escape(c.error, false) + "</error>\n";
        case JUnitOutcome::Skipped:
            return "      <skipped" + attribute("message", "not run after a failed exchange") +
                   "/>\n";
    }
    return "";
}

std::string testcase(const std::string& file, const JUnitCase& c) {
    std::string out = "    <testcase" + attribute("classname", file) +
                      attribute("name", "line " + std::to_string(c.line) + ": " + c.code) +
                      attribute("time", secondsText(c.seconds)) + ">\n";
    out += outcomeElement(c);
    out += "      <system-out>" + escape("command: " + c.command, false);
    if (c.received) out += "\n" + escape("reply: " + *c.received, false);
    out += "</system-out>\n    </testcase>\n";
    return out;
}

std::string testsuite(const JUnitSuite& suite, Counts& total) {
    Counts counts;
    for (const JUnitCase& c : suite.cases) counts.add(c);
    total.tests += counts.tests;
    total.failures += counts.failures;
    total.errors += counts.errors;
    total.skipped += counts.skipped;
    std::string out = "  <testsuite" + attribute("name", suite.name) + counts.attributes() +
                      attribute("time", secondsText(suite.seconds)) +
                      attribute("timestamp", timestampText(suite.started)) +
                      attribute("hostname", suite.hostname) + ">\n";
    out += "    <properties>\n";
    for (const auto& [name, value] : suite.properties) {
        out += "      <property" + attribute("name", name) + attribute("value", value) + "/>\n";
    }
    out += "    </properties>\n";
    for (const JUnitCase& c : suite.cases) out += testcase(suite.name, c);
    out += "  </testsuite>\n";
    return out;
}

}  // namespace

std::string writeJUnitReport(const std::vector<JUnitSuite>& suites) {
    Counts total;
    double seconds = 0;
    std::string body;
    for (const JUnitSuite& suite : suites) {
        body += testsuite(suite, total);
        seconds += suite.seconds;
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + total.attributes() +
           attribute("time", secondsText(seconds)) + ">\n" + body + "</testsuites>\n";
}

}  // namespace cuponex
