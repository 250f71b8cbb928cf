// What patterns cost the replay itself, without a printer: 1000 expected
// replies read and compared with literal text and with a pattern in every
// one. The figures of a whole replay through eqlink and ecfsim
// (pattern_bench.sh) move by more than this between runs on a loaded
// machine; these do not.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "scenario/Replay.h"
#include "scenario/Scenario.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kExchanges = 1000;
constexpr int kRounds = 21;
const char* const kCodes[] = {"05", "42", "43", "21", "22", "23", "25", "26"};

std::string scenarioText(bool patterned) {
    std::string text;
    for (int i = 0; i < kExchanges; ++i) {
        const std::string code = kCodes[i % 8];
        text += code + "\t.+" + (patterned ? std::string("{{\\d\\d}}") : code) + "00\n";
    }
    return text;
}

// The median of kRounds runs of `work`, in microseconds.
template <typename Work>
double medianMicroseconds(Work work) {
    std::vector<double> runs;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        work();
        runs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(runs.begin(), runs.begin() + kRounds / 2, runs.end());
    return runs[kRounds / 2];
}

}  // namespace

int main() {
    for (const bool patterned : {false, true}) {
        const std::string text = scenarioText(patterned);
        std::vector<cuponex::ScenarioStep> steps;
        const double reading =
            medianMicroseconds([&] { steps = cuponex::parseScenario(text, "bench"); });
        std::size_t equal = 0;
        const double comparing = medianMicroseconds([&] {
            equal = 0;
            for (const auto& step : steps) {
                const cuponex::ExchangeReply reply{cuponex::ExchangeReply::Outcome::Reply,
                                                   ".+" + step.command + "00"};
                equal += cuponex::compareReply(step, reply) == cuponex::Verdict::Equal;
            }
        });
        if (equal != steps.size()) {
            std::printf("only %zu of %zu replies equal\n", equal, steps.size());
            return 1;
        }
        std::printf(
            "%-9s replies, %d exchanges: read %.0f us (%.2f us each), compared %.0f us "
            "(%.2f us each)\n",
            patterned ? "patterned" : "literal", kExchanges, reading, reading / kExchanges,
            comparing, comparing / kExchanges);
    }
    return 0;
}
