#include "Replay.h"

namespace cuponex {

ReplayResult replayScenario(const std::vector<ScenarioStep>& steps, const SendCommand& send,
                            const std::function<void(const StepOutcome&)>& stepDone) {
    ReplayResult result;
    for (const ScenarioStep& step : steps) {
        const auto start = std::chrono::steady_clock::now();
        ExchangeReply reply = send(step.command);
        StepOutcome& done = result.steps.emplace_back(
            StepOutcome{step, std::move(reply), std::chrono::steady_clock::now() - start});
        if (done.reply.outcome == ExchangeReply::Outcome::Failed ||
            done.reply.outcome == ExchangeReply::Outcome::NotTaken) {
            done.verdict = Verdict::Failed;
        } else if (!step.expected) {
            done.verdict = Verdict::NotCompared;
            ++result.notCompared;
        } else if (*step.expected == done.reply.text) {
            done.verdict = Verdict::Equal;
            ++result.equal;
        } else {
            done.verdict = Verdict::Differs;
            ++result.differ;
        }
        if (stepDone) stepDone(done);
        if (done.verdict == Verdict::Failed) break;
    }
    return result;
}

std::vector<ScenarioStep> scenarioAsRun(const ReplayResult& result) {
    std::vector<ScenarioStep> ran;
    ran.reserve(result.steps.size());
    for (const StepOutcome& done : result.steps) {
        if (done.verdict == Verdict::Failed) break;
        ran.push_back({done.step.command, done.reply.text, done.step.line, {}});
    }
    return ran;
}

}  // namespace cuponex
