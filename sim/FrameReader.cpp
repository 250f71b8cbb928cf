#include "FrameReader.h"

#include <utility>

#include "common/Digits.h"

namespace ecfsim {
namespace {

using cuponex::isDigit;

Unit malformed(std::string raw) {
    return Unit{UnitKind::Malformed, std::move(raw), {}, {}};
}

}  // namespace

Unit classify(std::string raw) {
    if (raw == kContinuation) return Unit{UnitKind::Continuation, std::move(raw), {}, {}};
    // ESC "." digit digit parameters "}", with nothing before the ESC.
    const bool wellFormed = raw.size() >= 5 && raw[0] == kEsc && raw[1] == '.' && isDigit(raw[2]) &&
                            isDigit(raw[3]) && raw.back() == '}';
    if (!wellFormed) return malformed(std::move(raw));
    Unit unit{UnitKind::Frame, {}, raw.substr(2, 2), raw.substr(4, raw.size() - 5)};
    unit.raw = std::move(raw);
    return unit;
}

std::vector<Unit> FrameReader::feed(std::string_view bytes) {
    std::vector<Unit> units;
    for (char byte : bytes) {
        if (auto unit = take(byte)) units.push_back(std::move(*unit));
    }
    return units;
}

std::optional<Unit> FrameReader::take(char byte) {
    const bool lineFeedAfterBrace = skipLineFeed_ && pending_.empty();
    skipLineFeed_ = false;
    if (byte == '\n') {
        if (lineFeedAfterBrace || pending_.empty()) return std::nullopt;
        // Stray text without an ESC ends at a line feed; a frame in progress may hold one.
        if (!pendingHasEsc_) return flushPartial();
    }
    pending_.push_back(byte);
    if (byte == kEsc) pendingHasEsc_ = true;
    if (byte == '}') {
        skipLineFeed_ = true;
        pendingHasEsc_ = false;
        return classify(std::exchange(pending_, {}));
    }
    if (pending_.size() > kMaxUnitSize) return flushPartial();
    return std::nullopt;
}

std::optional<Unit> FrameReader::flushPartial() {
    if (pending_.empty()) return std::nullopt;
    pendingHasEsc_ = false;
    return malformed(std::exchange(pending_, {}));
}

}  // namespace ecfsim
