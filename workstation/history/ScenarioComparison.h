#pragma once
// The window's one use of the replay's comparison: a scenario line run in the
// history window is judged exactly as `--replay` judges it.

#include <string>

#include "core/ExchangeLog.h"
#include "scenario/Replay.h"
#include "scenario/Scenario.h"

namespace cuponex {

// The verdict on the reply a step's exchange gave.
Verdict verdictFor(const ScenarioStep& step, const ExchangeReply& reply);

// The step's expected reply as the file writes it; empty when it expects none.
std::string expectedText(const ScenarioStep& step);

// The history row's mark for a verdict (a failed step is not judged).
ExchangeLog::Comparison comparisonOf(Verdict verdict);

}  // namespace cuponex
