// The simulated printer's behaviour: which bytes answer each unit received,
// including the block-by-block pace of report replies and the injected faults.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "FrameReader.h"
#include "RecordedReplies.h"

namespace ecfsim {

enum class Fault {
    None,
    NoBrace,  // the first chunk of each reply loses its final "}" and nothing follows
    Stall,    // only the first half of the first chunk goes out, nothing follows
    Garbage,  // a few garbage bytes go out before each reply
};

inline constexpr std::string_view kGarbage{"\x00\xFF\x1B\x7F#", 5};

struct PrinterSettings {
    bool silent = false;
    Fault fault = Fault::None;
    bool trailer = true;
};

class Printer {
  public:
    // A request recorded in `recorded` (when given) gets its recorded reply,
    // any other the table's.
    explicit Printer(PrinterSettings settings, RecordedReplies* recorded = nullptr)
        : settings_(settings), recorded_(recorded) {}

    // The bytes to send in answer to `unit`. A frame or malformed unit abandons
    // whatever remained of an earlier multi-block reply.
    std::string answer(const Unit& unit);

    // True while a multi-block reply waits for a continuation.
    bool awaitingContinuation() const { return !pendingChunks_.empty(); }

  private:
    std::vector<std::string> replyTo(const Unit& frame);
    std::string startReply(std::deque<std::string> chunks);

    PrinterSettings settings_;
    RecordedReplies* recorded_;
    std::deque<std::string> pendingChunks_;
};

}  // namespace ecfsim
