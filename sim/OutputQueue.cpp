#include "OutputQueue.h"

#include <algorithm>

namespace ecfsim {

OutputQueue::OutputQueue(long baud)
    : byteTime_(baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud)
                         : std::chrono::nanoseconds(0)) {}

void OutputQueue::append(std::string_view bytes, Clock::time_point now) {
    if (bytes.empty()) return;
    // After a quiet spell the line starts afresh rather than bursting to catch up.
    if (pending_.empty()) nextByteTime_ = std::max(nextByteTime_, now);
    pending_.append(bytes);
}

std::string_view OutputQueue::due(Clock::time_point now) const {
    if (byteTime_.count() == 0) return pending_;
    if (pending_.empty() || now < nextByteTime_) return {};
    const auto count = static_cast<std::size_t>((now - nextByteTime_) / byteTime_) + 1;
    return std::string_view(pending_).substr(0, count);
}

void OutputQueue::consumed(std::size_t count) {
    pending_.erase(0, count);
    nextByteTime_ += byteTime_ * static_cast<long long>(count);
}

}  // namespace ecfsim
