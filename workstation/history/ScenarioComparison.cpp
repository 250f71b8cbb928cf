#include "history/ScenarioComparison.h"

namespace cuponex {

// The replay's own loop over the one step, so that whatever it compares
// (patterns included) the window compares the same way.
Verdict verdictFor(const ScenarioStep& step, const ExchangeReply& reply) {
    const ReplayResult result =
        replayScenario({step}, [&reply](const std::string&) { return reply; });
    return result.steps.front().verdict;
}

std::string expectedText(const ScenarioStep& step) {
    return step.expected ? escapeField(*step.expected) : std::string();
}

ExchangeLog::Comparison comparisonOf(Verdict verdict) {
    switch (verdict) {
        case Verdict::Equal:
            return ExchangeLog::Comparison::Equal;
        case Verdict::Differs:
            return ExchangeLog::Comparison::Differs;
        case Verdict::NotCompared:
            return ExchangeLog::Comparison::NotCompared;
        case Verdict::Failed:
            break;
    }
    return ExchangeLog::Comparison::None;
}

}  // namespace cuponex
