#include "Replay.h"

namespace cuponex {

Verdict compareReply(const ScenarioStep& step, const ExchangeReply& reply) {
    if (reply.outcome == ExchangeReply::Outcome::Failed ||
        reply.outcome == ExchangeReply::Outcome::NotTaken)
        return Verdict::Failed;
    if (!step.expected) return Verdict::NotCompared;
    const bool equal =
        step.pattern ? step.pattern->matches(reply.text) : *step.expected == reply.text;
    return equal ? Verdict::Equal : Verdict::Differs;
}

ReplayResult replayScenario(const std::vector<ScenarioStep>& steps, const SendCommand& send,
                            const std::function<void(const StepOutcome&)>& stepDone) {
    ReplayResult result;
    for (const ScenarioStep& step : steps) {
        const auto start = std::chrono::steady_clock::now();
        ExchangeReply reply = send(step.command);
        StepOutcome& done = result.steps.emplace_back(
            StepOutcome{step, std::move(reply), std::chrono::steady_clock::now() - start});
        done.verdict = compareReply(step, done.reply);
        switch (done.verdict) {
            case Verdict::Equal:
                ++result.equal;
                break;
            case Verdict::Differs:
                ++result.differ;
                break;
            case Verdict::NotCompared:
                ++result.notCompared;
                break;
            case Verdict::Failed:
                break;
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
        ran.push_back({done.step.command, done.reply.text, done.step.line, {}, {}});
    }
    return ran;
}

}  // namespace cuponex
