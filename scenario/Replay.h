#pragma once
// Running a scenario: each step's command sent in turn through an exchange
// that the program running it supplies, each reply compared with the one the
// step expects, and the outcomes counted. Nothing here knows how a command
// reaches the printer.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "Scenario.h"

namespace cuponex {

// What one exchange gave.
struct ExchangeReply {
    enum class Outcome {
        Reply,     // the printer's reply
        TimedOut,  // none in time; `text` is the timeout reply that stands in for it
        Failed,    // an input/output error; `text` says what failed
        NotTaken,  // no link took the request, which was withdrawn; `text` says so
    };
    Outcome outcome = Outcome::Reply;
    std::string text;
};

// Sends one command text (code and parameters) and waits for its reply.
using SendCommand = std::function<ExchangeReply(const std::string& commandText)>;

enum class Verdict { Equal, Differs, NotCompared, Failed };

// What an exchange's reply makes of a step: Failed for an exchange that
// failed or that no link took, NotCompared for a step that expects nothing,
// else Equal when the whole reply matches the expected one (byte for byte,
// or by its patterns), Differs when not. A timeout's text is compared as any
// reply.
Verdict compareReply(const ScenarioStep& step, const ExchangeReply& reply);

struct StepOutcome {
    ScenarioStep step;
    ExchangeReply reply;
    std::chrono::steady_clock::duration taken{};
    Verdict verdict = Verdict::NotCompared;
};

struct ReplayResult {
    std::vector<StepOutcome> steps;  // in the order run; a failed one is the last
    std::size_t equal = 0, differ = 0, notCompared = 0;
    bool failed() const { return !steps.empty() && steps.back().verdict == Verdict::Failed; }
};

// Runs the steps in order; `stepDone` (when given) hears of each as it ends.
// A step whose exchange fails, or whose request no link took, ends the run
// there. A timeout is compared like
// any reply: its text is what the window shows for it.
ReplayResult replayScenario(const std::vector<ScenarioStep>& steps, const SendCommand& send,
                            const std::function<void(const StepOutcome&)>& stepDone = {});

// The scenario as it ran: each command with the reply received as the one to
// expect (a golden file). Only a run that did not fail gives a whole one.
std::vector<ScenarioStep> scenarioAsRun(const ReplayResult& result);

}  // namespace cuponex
