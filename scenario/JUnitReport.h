#pragma once
// A replay's results as a JUnit XML report, the form Jenkins' junit step and
// GitLab's junit reports read: <testsuites>, a <testsuite> per scenario file,
// a <testcase> per exchange. Texts are expected in the scenario notation
// (ASCII); a byte outside 0x20-0x7E is still written as "\xHH", so no input
// makes the XML ill-formed.

#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cuponex {

enum class JUnitOutcome {
    Equal,    // the reply matched, or nothing was to compare
    Differs,  // a <failure>: expected and received
    Error,    // an <error>: the exchange failed (not taken, input/output error)
    Skipped,  // a <skipped>: not run after the failure
};

struct JUnitCase {
    int line = 0;        // the exchange's line in its file
    std::string code;    // the command's code: the case is "line N: CC"
    double seconds = 0;  // the exchange's time
    JUnitOutcome outcome = JUnitOutcome::Equal;
    std::string command;                  // as written in the file
    std::optional<std::string> expected;  // as written in the file; none: not compared
    std::optional<std::string> received;  // in the notation; none: no reply came
    std::string error;                    // why the exchange failed (Error)
};

struct JUnitSuite {
    std::string name;    // the scenario file, also each case's classname
    double seconds = 0;  // the file's run
    std::time_t started = 0;
    std::string hostname;
    std::vector<std::pair<std::string, std::string>> properties;  // e.g. directory, wait
    std::vector<JUnitCase> cases;
};

// The report's text. Counts come from the cases; times are seconds with a
// point and three decimals whatever the locale; a suite's timestamp is its
// start in UTC, "YYYY-MM-DDTHH:MM:SS" without a zone as the JUnit schema has it.
std::string writeJUnitReport(const std::vector<JUnitSuite>& suites);

}  // namespace cuponex
