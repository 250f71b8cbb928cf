// Expected replies with patterns. Any written field parses or is refused
// with a ScenarioError, never a crash, and any received reply is matched or
// not; a field without a pattern matches its own bytes and nothing else.
#include <fuzzer/FuzzedDataProvider.h>
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <string>

#include "scenario/Scenario.h"
#include "scenario/ReplyPattern.h"

using namespace cuponex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string field = input.ConsumeRandomLengthString(512);
    const std::string received = input.ConsumeRemainingBytesAsString();
    try {
        const ExpectedReply reply = ExpectedReply::parse(field);
        const bool equal = reply.matches(received);
        if (!reply.hasPattern()) {
            if (equal != (received == reply.literal())) abort();
            if (!reply.matches(reply.literal())) abort();
        }
    } catch (const ScenarioError&) {
    }
    return 0;
}
