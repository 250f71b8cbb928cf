#pragma once
// What a replay keeps of each scenario it runs, and its JUnit report.

#include <chrono>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "scenario/Replay.h"
#include "scenario/Scenario.h"

namespace cuponex {

struct ScenarioRun {
    std::string path;  // as the command line names it
    std::string text;  // the file as read, for --update
    std::vector<ScenarioStep> steps;
    bool ran = false;  // false: not reached, the run stopped before it
    ReplayResult result;
    std::chrono::system_clock::time_point started;
    std::chrono::steady_clock::duration taken{};
};

// A wait in seconds, as --wait takes it ("5", "0.25").
std::string waitText(std::chrono::milliseconds wait);

// The JUnit XML report: a suite per scenario, a case per exchange; those not
// run after a failed exchange are skipped. Texts in the scenario notation.
std::string junitReport(const std::vector<ScenarioRun>& runs, const CommandLine& commandLine);

}  // namespace cuponex
