// The scenario notation. Any input parses or is refused with a ScenarioError,
// never a crash; and steps made of arbitrary bytes are written as ASCII lines
// that read back to exactly the same commands and expected replies (never as
// a pattern, whatever braces they hold). Accepting received replies into a
// text that parses changes those replies only.
#include <fuzzer/FuzzedDataProvider.h>
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "scenario/Scenario.h"
#include "scenario/ScenarioUpdate.h"

using namespace cuponex;

namespace {

// Every other step's reply given a new one, from the text's own bytes.
void updateAnything(std::string_view text, const std::vector<ScenarioStep>& steps) {
    std::map<int, std::string> received;
    for (size_t i = 0; i < steps.size(); i += 2)
        if (steps[i].expected) received[steps[i].line] = std::string(text.substr(i % 7, i % 13));
    const std::vector<ScenarioStep> read = parseScenario(withReceivedReplies(text, received), "f");
    if (read.size() != steps.size()) abort();
    for (size_t i = 0; i < steps.size(); ++i) {
        const auto replaced = received.find(steps[i].line);
        if (read[i].command != steps[i].command || read[i].line != steps[i].line) abort();
        if (replaced == received.end() ? read[i].expected != steps[i].expected
                                       : read[i].expected != replaced->second || read[i].pattern)
            abort();
    }
}

void parseAnything(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ScenarioStep> steps;
    try {
        steps = parseScenario(text, "f");
    } catch (const ScenarioError&) {
        return;
    }
    updateAnything(text, steps);
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
