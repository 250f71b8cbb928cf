#include "ReplayReport.h"

#include <unistd.h>

#include <cstdio>

#include "scenario/JUnitReport.h"

namespace cuponex {
namespace {

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

JUnitOutcome outcomeOf(Verdict verdict) {
    switch (verdict) {
        case Verdict::Differs:
            return JUnitOutcome::Differs;
        case Verdict::Failed:
            return JUnitOutcome::Error;
        case Verdict::Equal:
        case Verdict::NotCompared:
            break;
    }
    return JUnitOutcome::Equal;
}

JUnitCase caseOf(const ScenarioStep& step) {
    JUnitCase c;
    c.line = step.line;
    c.code = escapeField(step.command.substr(0, 2));
    c.command = escapeField(step.command, true);
    if (step.expected) c.expected = expectedAsWritten(step);
    c.outcome = JUnitOutcome::Skipped;
    return c;
}

JUnitSuite suiteOf(const ScenarioRun& run, const CommandLine& commandLine,
                   const std::string& host) {
    JUnitSuite suite;
    suite.name = run.path;
    suite.seconds = std::chrono::duration<double>(run.taken).count();
    suite.started = std::chrono::system_clock::to_time_t(
        run.ran ? run.started : std::chrono::system_clock::now());
    suite.hostname = host;
    suite.properties = {{"directory", commandLine.directory},
                        {"wait", waitText(commandLine.wait) + " s"}};
    for (std::size_t i = 0; i < run.steps.size(); ++i) {
        JUnitCase c = caseOf(run.steps[i]);
        if (i < run.result.steps.size()) {
            const StepOutcome& done = run.result.steps[i];
            c.seconds = std::chrono::duration<double>(done.taken).count();
            c.outcome = outcomeOf(done.verdict);
            if (done.verdict == Verdict::Failed) {
                c.error = done.reply.outcome == ExchangeReply::Outcome::NotTaken
                              ? "not taken: " + done.reply.text
                              : "input/output error: " + done.reply.text;
            } else {
                c.received = escapeField(done.reply.text);
            }
        }
        suite.cases.push_back(std::move(c));
    }
    return suite;
}

}  // namespace

std::string waitText(std::chrono::milliseconds wait) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::chrono::duration<double>(wait).count());
    return text;
}

std::string junitReport(const std::vector<ScenarioRun>& runs, const CommandLine& commandLine) {
    const std::string host = hostName();
    std::vector<JUnitSuite> suites;
    suites.reserve(runs.size());
    for (const ScenarioRun& run : runs) suites.push_back(suiteOf(run, commandLine, host));
    return writeJUnitReport(suites);
}

}  // namespace cuponex
