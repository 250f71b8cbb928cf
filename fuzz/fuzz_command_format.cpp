// The command pattern formatter: the input is a pattern, then (after a zero
// byte) texts and integers for its directives. A pattern that does not match
// its arguments is a programming error reported as std::logic_error; anything
// else must format. Widths are minimums: a "%-Ns" or "%Ns" field is never
// shorter than N, so the result is never shorter than the pattern's fixed part.
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/CommandFormat.h"
#include "core/Numbers.h"

using namespace cuponex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const char* split = static_cast<const char*>(memchr(bytes, 0, size));
    const std::string pattern(bytes, split ? split - bytes : size);
    std::string rest = split ? std::string(split + 1, bytes + size) : std::string();
    const std::string text = rest.substr(0, rest.size() / 2);
    long long number = 0;
    memcpy(&number, rest.data() + text.size(),
           std::min<size_t>(sizeof number, rest.size() - text.size()));

    try {
        formatPattern(pattern, {text, number, text, number});
    } catch (const std::logic_error&) {
    }
    try {
        formatPattern(pattern, {number, text, number, text});
    } catch (const std::logic_error&) {
    }
    amountInteger(text);
    integerOrZero(text);
    if (RetiraCaracter(text, ',').find(',') != std::string::npos) abort();
    return 0;
}
