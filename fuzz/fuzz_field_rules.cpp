// The text side of the field entry rules. Beyond not crashing, a rewritten
// text is a normal form: rewriting it again gives it back unchanged, and the
// key filters only ever pass the characters they promise.
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <string>

#include "core/NumberEntry.h"

using namespace cuponex;

static const char* const kPatterns[] = {"0.00", "0.000", "000", "00", "00.00", "0"};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const char* pattern = kPatterns[data[0] % 6];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    for (char c : text) {
        if (auto passed = amountKey(c);
            passed && *passed != '\b' && *passed != ',' && (*passed < '0' || *passed > '9'))
            abort();
        if (auto passed = digitKey(c);
            passed && *passed != '\b' && (*passed < '0' || *passed > '9'))
            abort();
    }

    try {
        const std::string once = numericRewrite(text, pattern);
        if (numericRewrite(once, pattern) != once) abort();
    } catch (const ConversionError&) {
    }
    const std::string integer = integerRewrite(text, data[0] % 5);
    if (integerRewrite(integer, data[0] % 5) != integer) abort();
    return 0;
}
