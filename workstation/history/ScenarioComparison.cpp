#include "history/ScenarioComparison.h"

namespace cuponex {

std::string expectedText(const ScenarioStep& step) {
    return step.expected ? expectedAsWritten(step) : std::string();
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
