#include "ReplayCommand.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "ReplayReport.h"
#include "core/Exchange.h"
#include "core/SafeFile.h"
#include "scenario/Replay.h"
#include "scenario/Scenario.h"
#include "scenario/ScenarioUpdate.h"

namespace cuponex {
namespace {

std::string milliseconds(std::chrono::steady_clock::duration taken) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms",
                  std::chrono::duration<double, std::milli>(taken).count());
    return text;
}

// The error in English; the exchange's own text is the window's.
std::string errorText(const ExchangeError& error) {
    if (error.kind() == ExchangeError::Kind::DirectoryBusy)
        return "the directory " + error.directory() + " is in use by another program";
    return escapeField(error.what());
}

std::string quoted(const std::string& written) {
    return "\"" + written + "\"";
}

const char* verdictText(Verdict verdict, bool updating) {
    switch (verdict) {
        case Verdict::Equal:
            return "equal";
        case Verdict::Differs:
            return updating ? "differs (updated)" : "differs";
        case Verdict::NotCompared:
            return "not compared";
        case Verdict::Failed:
            break;
    }
    return "input/output error";
}

// One line for the step, and for one that differs what was expected and
// what came. `where` names the file when there are several.
void printStep(const std::string& where, const StepOutcome& done, bool updating, std::ostream& out,
               std::ostream& err) {
    const std::string line = where + "line " + std::to_string(done.step.line);
    out << line << "  " << escapeField(done.step.command.substr(0, 2)) << "  ";
    if (done.reply.outcome == ExchangeReply::Outcome::NotTaken) {
        out << "not taken: " << done.reply.text << "\n";
        return;
    }
    if (done.verdict == Verdict::Failed) {
        out << verdictText(done.verdict, updating) << "\n";
        err << "cuponex: " << line << ": " << done.reply.text << "\n";
        return;
    }
    out << milliseconds(done.taken) << "  " << verdictText(done.verdict, updating) << "\n";
    if (done.verdict == Verdict::Differs) {
        out << line << ": expected " << quoted(expectedAsWritten(done.step)) << "\n"
            << line << ": received " << quoted(escapeField(done.reply.text)) << "\n";
    }
}

struct Counts {
    std::size_t exchanges = 0, equal = 0, differ = 0, notCompared = 0;
    void add(const ReplayResult& result, std::size_t steps) {
        exchanges += steps;
        equal += result.equal;
        differ += result.differ;
        notCompared += result.notCompared;
    }
};

void printCounts(const std::string& what, const Counts& counts, std::ostream& out) {
    out << what << counts.exchanges << " exchanges: " << counts.equal << " equal, " << counts.differ
        << " differ, " << counts.notCompared << " not compared\n";
}

SendCommand exchangeThrough(Exchange& exchange, const CommandLine& commandLine) {
    return [&exchange, &commandLine](const std::string& command) -> ExchangeReply {
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
                        waitText(commandLine.wait) + " s (is eqlink running?)"};
        } catch (const ExchangeError& error) {
            return {ExchangeReply::Outcome::Failed, errorText(error)};
        }
    };
}

// The scenario's text with each differing reply accepted.
std::string updatedText(const ScenarioRun& run) {
    std::map<int, std::string> received;
    for (const StepOutcome& done : run.result.steps)
        if (done.verdict == Verdict::Differs) received[done.step.line] = done.reply.text;
    return withReceivedReplies(run.text, received);
}

// The file a scenario's name leads to: a symbolic link read as its target is
// updated there, not replaced by a file of its own.
std::string fileNamed(const std::string& path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

bool writeOut(const std::string& path, const std::string& content, std::ostream& err) {
    try {
        writeFileWhole(path, content);
        return true;
    } catch (const FileWriteError& error) {
        err << "cuponex: " << error.what() << "\n";
        return false;
    }
}

// Runs each scenario in turn, each exchange's line naming its file when there
// are several, and counts them. True when an exchange failed: the run
// stopped there.
bool runScenarios(std::vector<ScenarioRun>& runs, const SendCommand& send, bool updating,
                  Counts& total, std::ostream& out, std::ostream& err) {
    const bool several = runs.size() > 1;
    for (ScenarioRun& run : runs) {
        const std::string where = several ? run.path + ": " : "";
        run.started = std::chrono::system_clock::now();
        const auto start = std::chrono::steady_clock::now();
        run.result = replayScenario(run.steps, send, [&](const StepOutcome& done) {
            printStep(where, done, updating, out, err);
        });
        run.taken = std::chrono::steady_clock::now() - start;
        run.ran = true;
        if (run.result.failed()) return true;
        Counts counts;
        counts.add(run.result, run.steps.size());
        printCounts(where, counts, out);
        total.add(run.result, run.steps.size());
    }
    if (several) printCounts(std::to_string(runs.size()) + " files, ", total, out);
    return false;
}

}  // namespace

int runReplayCommand(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    // Every file is read and checked before anything is sent.
    std::vector<ScenarioRun> runs;
    try {
        for (const std::string& path : commandLine.scenarios) {
            ScenarioRun& run = runs.emplace_back();
            run.path = path;
            run.text = readScenarioText(path);
            run.steps = parseScenario(run.text, path);
        }
    } catch (const ScenarioError& error) {
        err << "cuponex: " << error.what() << "\n";
        return kBadInput;
    }

    Exchange exchange;
    exchange.setLimit(commandLine.wait);
    Counts total;
    const bool failed = runScenarios(runs, exchangeThrough(exchange, commandLine),
                                     commandLine.update, total, out, err);
    out.flush();

    int status = failed ? kInputOutputError : total.differ > 0 ? kSomeDiffer : kAllEqual;
    if (failed && commandLine.update)
        err << "cuponex: no scenario updated: the run stopped at a failed exchange\n";
    if (!failed && commandLine.record &&
        !writeOut(*commandLine.record, writeScenario(scenarioAsRun(runs.front().result)), err))
        status = kInputOutputError;
    if (!failed && commandLine.update) {
        bool written = true;
        for (const ScenarioRun& run : runs)
            if (run.result.differ > 0)
                written = writeOut(fileNamed(run.path), updatedText(run), err) && written;
        if (!written) status = kInputOutputError;
        if (status == kSomeDiffer) status = kAllEqual;  // every difference accepted
    }
    if (commandLine.junit && !writeOut(*commandLine.junit, junitReport(runs, commandLine), err))
        status = kInputOutputError;
    return status;
}

}  // namespace cuponex
