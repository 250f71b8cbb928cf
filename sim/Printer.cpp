#include "Printer.h"

#include "ReplyTable.h"

namespace ecfsim {

std::string Printer::answer(const Unit& unit) {
    if (unit.kind == UnitKind::Continuation) {
        // A continuation outside a multi-block reply is ignored.
        if (pendingChunks_.empty()) return {};
        std::string chunk = std::move(pendingChunks_.front());
        pendingChunks_.pop_front();
        return chunk;
    }
    pendingChunks_.clear();
    if (settings_.silent) return {};
    if (unit.kind == UnitKind::Malformed) return startReply({std::string(kMalformedReply)});
    auto chunks = replyTo(unit);
    if (chunks.empty()) return {};  // a recorded printer that did not answer
    return startReply({chunks.begin(), chunks.end()});
}

std::vector<std::string> Printer::replyTo(const Unit& frame) {
    if (recorded_) {
        if (auto reply = recorded_->next(frame.code + frame.params))
            return recordedChunks(frame.code, *reply, settings_.trailer);
    }
    return replyChunks(frame.code, settings_.trailer);
}

std::string Printer::startReply(std::deque<std::string> chunks) {
    std::string first = std::move(chunks.front());
    chunks.pop_front();
    switch (settings_.fault) {
        case Fault::None:
            break;
        case Fault::NoBrace:
            first.pop_back();
            chunks.clear();
            break;
        case Fault::Stall:
            first.resize(first.size() / 2);
            chunks.clear();
            break;
        case Fault::Garbage:
            first.insert(0, kGarbage);
            break;
    }
    pendingChunks_ = std::move(chunks);
    return first;
}

}  // namespace ecfsim
