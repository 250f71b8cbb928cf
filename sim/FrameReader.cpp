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
    if (raw == ecf::kContinuation) return Unit{UnitKind::Continuation, std::move(raw), {}, {}};
    // ESC "." digit digit parameters "}", with nothing before the ESC.
    constexpr std::size_t kCode = ecf::kFrameStartLength, kParams = kCode + ecf::kCodeLength;
    const bool wellFormed = raw.size() > kParams && raw.starts_with(ecf::kFrameStart) &&
                            isDigit(raw[kCode]) && isDigit(raw[kCode + 1]) && raw.back() == '}';
    if (!wellFormed) return malformed(std::move(raw));
    Unit unit{UnitKind::Frame,
              {},
              raw.substr(kCode, ecf::kCodeLength),
              raw.substr(kParams, raw.size() - kParams - 1)};
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
    if (byte == ecf::kFrameStart[0]) pendingHasEsc_ = true;
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
