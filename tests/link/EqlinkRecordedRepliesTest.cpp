// Replies recorded in a scenario come back to the workstation exactly as
// recorded, through ecfsim --replies and the real eqlink.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LinkTestSupport.h"
#include "core/Exchange.h"
#include "core/SafeFile.h"
#include "scenario/Scenario.h"

namespace {

using namespace std::chrono_literals;
using eqlink_test::ChildProcess;
using eqlink_test::ScratchDir;
using eqlink_test::waitFor;

std::vector<cuponex::ScenarioStep> recorded() {
    const std::vector<std::pair<std::string, std::string>> exchanges = {
        {"05", ".+0500 "},
        {"0901AB\xE7", "\x01\xE7 latin"},
        {"13", "RELATORIO 13 BLOCO 1}RELATORIO 13 BLOCO 2}.]}"},
        {"15", "ab}cdef}.]}"},                // a "}" the link answers no continuation to
        {"16", "BLOCO UNICO}PARTE SEM FIM"},  // the printer stopped: ends on the time limit
        {"18", ".-P015}"},                    // a report refused
        {"0112345", ".-P006}"},               // not answered
    };
    std::vector<cuponex::ScenarioStep> steps;
    for (const auto& [command, reply] : exchanges) steps.push_back({command, reply, 0, {}, {}});
    return steps;
}

TEST(EqlinkWithRecordedReplies, TheWorkstationReceivesWhatWasRecorded) {
    ScratchDir scratch;
    const std::string device = scratch / "ttyECF";
    const std::string replies = scratch / "r.scn";
    const auto steps = recorded();
    cuponex::writeFileWhole(replies, cuponex::writeScenario(steps));
    ChildProcess sim(ECFSIM_PATH, {"--link", device, "--unpaced", "--replies", replies});
    ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(device); }));
    ChildProcess link(EQLINK_PATH, {"-d", device, "-p", scratch.path(), "-s", "w", "-T", "1"});
    ASSERT_TRUE(waitFor([&] { return eqlink_test::exists(scratch / "w"); }));

    cuponex::Exchange exchange;
    exchange.setLimit(3000ms);
    for (const cuponex::ScenarioStep& step : steps) {
        EXPECT_EQ(exchange.run(scratch / "w/", cuponex::Exchange::frame(step.command)),
                  *step.expected)
            << step.command;
        EXPECT_EQ(exchange.timedOut(), *step.expected == ".-P006}") << step.command;
    }
    EXPECT_TRUE(link.running());
    EXPECT_EQ(sim.err(), "");
}

}  // namespace
