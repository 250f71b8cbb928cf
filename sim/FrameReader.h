// Splits the byte stream arriving from the link program into units: command
// frames, continuation requests and malformed input.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/EcfProtocol.h"

namespace ecfsim {

enum class UnitKind { Frame, Continuation, Malformed };

struct Unit {
    UnitKind kind;
    std::string raw;   // bytes as received, without a line feed that ended or followed it
    std::string code;  // two digits, frames only
    std::string params;
};

class FrameReader {
  public:
    // A unit that grows beyond this is dropped as malformed.
    static constexpr std::size_t kMaxUnitSize = 65536;

    // Takes the next bytes of the stream; returns the units they complete.
    std::vector<Unit> feed(std::string_view bytes);

    // Ends an incomplete unit (the sender went quiet in the middle of it).
    std::optional<Unit> flushPartial();

    bool hasPartial() const { return !pending_.empty(); }

  private:
    std::optional<Unit> take(char byte);

    std::string pending_;
    bool pendingHasEsc_ = false;
    bool skipLineFeed_ = false;
};

// Classifies one complete unit ending with "}".
Unit classify(std::string raw);

}  // namespace ecfsim
