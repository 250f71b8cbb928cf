// The simulated printer's frame reader, fed the input in chunks whose sizes
// come from the input itself. Every unit it gives must be one the printer can
// answer: a frame has its code and parameters inside its raw bytes.
#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <string_view>

#include "FrameReader.h"

using namespace ecfsim;

static void check(const Unit& unit) {
    if (unit.raw.size() > FrameReader::kMaxUnitSize + 1) abort();
    if (unit.kind == UnitKind::Frame) {
        if (unit.code.size() != 2 || unit.raw.size() != unit.params.size() + 5) abort();
        if (unit.raw.substr(2, 2) != unit.code || unit.raw.back() != '}') abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t chunk = 1 + data[0] % 16;
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    FrameReader reader;
    while (!bytes.empty()) {
        const size_t n = bytes.size() < chunk ? bytes.size() : chunk;
        for (const Unit& unit : reader.feed(bytes.substr(0, n))) check(unit);
        bytes.remove_prefix(n);
    }
    if (auto last = reader.flushPartial()) check(*last);
    if (reader.hasPartial()) abort();
    return 0;
}
