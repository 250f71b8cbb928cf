// The scenario notation. Any input parses or is refused with a ScenarioError,
// never a crash; and steps made of arbitrary bytes are written as ASCII lines
// that read back to exactly the same commands and expected replies (never as
// a pattern, whatever braces they hold).
#include <fuzzer/FuzzedDataProvider.h>
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scenario/Scenario.h"

using namespace cuponex;

namespace {

void parseAnything(const uint8_t* data, size_t size) {
    try {
        parseScenario(std::string_view(reinterpret_cast<const char*>(data), size), "f");
    } catch (const ScenarioError&) {
    }
}

void roundTrip(FuzzedDataProvider& input) {
    std::vector<ScenarioStep> steps;
    while (input.remaining_bytes() > 0 && steps.size() < 64) {
        ScenarioStep step;
        step.command = input.ConsumeRandomLengthString(256);
        if (step.command.empty()) step.command = std::string(1, input.ConsumeIntegral<char>());
        if (input.ConsumeBool()) step.expected = input.ConsumeRandomLengthString(256);
        // Replies with runs of "{" (a pattern's start when read raw) and "}".
        if (step.expected && input.ConsumeBool()) {
            for (char& c : *step.expected)
                if ((c & 3) != 0) c = (c & 3) == 3 ? '}' : '{';
        }
        if (input.ConsumeBool()) step.comment = input.ConsumeRandomLengthString(64);
        steps.push_back(std::move(step));
    }
    const std::string text = writeScenario(steps);
    for (char c : text)
        if (c != '\n' && c != '\t' && (c < 0x20 || c > 0x7E)) abort();
    const std::vector<ScenarioStep> read = parseScenario(text, "f");
    if (read.size() != steps.size()) abort();
    for (size_t i = 0; i < steps.size(); ++i) {
        if (read[i].command != steps[i].command || read[i].expected != steps[i].expected) abort();
        if (read[i].pattern) abort();  // what a writer writes is never a pattern
        if (unescapeField(escapeField(steps[i].command, true)) != steps[i].command) abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    parseAnything(data, size);
    FuzzedDataProvider input(data, size);
    roundTrip(input);
    return 0;
}
