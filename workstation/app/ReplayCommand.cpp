#include "ReplayCommand.h"

#include <cstdio>

#include "core/Exchange.h"
#include "core/SafeFile.h"
#include "scenario/Replay.h"
#include "scenario/Scenario.h"

namespace cuponex {
namespace {

std::string milliseconds(std::chrono::steady_clock::duration taken) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms",
                  std::chrono::duration<double, std::milli>(taken).count());
    return text;
}

std::string secondsText(std::chrono::milliseconds wait) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::chrono::duration<double>(wait).count());
    return text;
}

// The error in English; the exchange's own text is the window's.
std::string errorText(const ExchangeError& error) {
    if (error.kind() == ExchangeError::Kind::DirectoryBusy)
        return "the directory " + error.directory() + " is in use by another program";
    return escapeField(error.what());
}

std::string quoted(const std::string& bytes) {
    return "\"" + escapeField(bytes) + "\"";
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Equal:
            return "equal";
        case Verdict::Differs:
            return "differs";
        case Verdict::NotCompared:
            return "not compared";
        case Verdict::Failed:
            break;
    }
    return "input/output error";
}

// One line for the step, and for one that differs what was expected and
// what came.
void printStep(const StepOutcome& done, std::ostream& out, std::ostream& err) {
    const int line = done.step.line;
    out << "line " << line << "  " << escapeField(done.step.command.substr(0, 2)) << "  ";
    if (done.reply.outcome == ExchangeReply::Outcome::NotTaken) {
        out << "not taken: " << done.reply.text << "\n";
        return;
    }
    if (done.verdict == Verdict::Failed) {
        out << verdictText(done.verdict) << "\n";
        err << "cuponex: line " << line << ": " << done.reply.text << "\n";
        return;
    }
    out << milliseconds(done.taken) << "  " << verdictText(done.verdict) << "\n";
    if (done.verdict == Verdict::Differs) {
        out << "line " << line << ": expected " << quoted(*done.step.expected) << "\n"
            << "line " << line << ": received " << quoted(done.reply.text) << "\n";
    }
}

}  // namespace

int runReplayCommand(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    std::vector<ScenarioStep> steps;
    try {
        steps = readScenarioFile(commandLine.scenario);
    } catch (const ScenarioError& error) {
        err << "cuponex: " << error.what() << "\n";
        return kBadInput;
    }

    Exchange exchange;
    exchange.setLimit(commandLine.wait);
    const auto send = [&](const std::string& command) -> ExchangeReply {
        try {
            std::string reply = exchange.run(commandLine.directory, Exchange::frame(command));
            switch (exchange.outcome()) {
                case Exchange::Outcome::Reply:
                    return {ExchangeReply::Outcome::Reply, std::move(reply)};
                case Exchange::Outcome::TimedOut:
                    return {ExchangeReply::Outcome::TimedOut, std::move(reply)};
                case Exchange::Outcome::NotTaken:
                    break;
            }
            // Withdrawn: the command never reached the printer.
            return {ExchangeReply::Outcome::NotTaken,
                    "no link took the request from " + commandLine.directory + " within " +
                        secondsText(commandLine.wait) + " s (is eqlink running?)"};
        } catch (const ExchangeError& error) {
            return {ExchangeReply::Outcome::Failed, errorText(error)};
        }
    };
    const ReplayResult result =
        replayScenario(steps, send, [&](const StepOutcome& done) { printStep(done, out, err); });
    if (result.failed()) return kInputOutputError;
    out << steps.size() << " exchanges: " << result.equal << " equal, " << result.differ
        << " differ, " << result.notCompared << " not compared\n";
    out.flush();

    if (commandLine.record) {
        try {
            writeFileWhole(*commandLine.record, writeScenario(scenarioAsRun(result)));
        } catch (const FileWriteError& error) {
            err << "cuponex: " << error.what() << "\n";
            return kInputOutputError;
        }
    }
    return result.differ > 0 ? kSomeDiffer : kAllEqual;
}

}  // namespace cuponex
