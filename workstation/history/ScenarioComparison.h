#pragma once
// What the history shows of a scenario line it ran, judged by the replay's own
// compareReply exactly as `--replay` judges it.

#include <string>

#include "core/ExchangeLog.h"
#include "scenario/Replay.h"
#include "scenario/Scenario.h"

namespace cuponex {

// The step's expected reply as the file writes it; empty when it expects none.
std::string expectedText(const ScenarioStep& step);

// The history row's mark for a verdict (a failed step is not judged).
ExchangeLog::Comparison comparisonOf(Verdict verdict);

}  // namespace cuponex
