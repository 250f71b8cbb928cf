// Bytes waiting to go out on the line, released at the pace of the chosen baud rate.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace ecfsim {

class OutputQueue {
  public:
    using Clock = std::chrono::steady_clock;

    // baud 0: no pacing, everything is due at once. Otherwise 10 bits per byte.
    explicit OutputQueue(long baud);

    void append(std::string_view bytes, Clock::time_point now);
    void clear() { pending_.clear(); }
    bool empty() const { return pending_.empty(); }

    // The bytes that may go out at `now`; report the number actually written
    // with consumed().
    std::string_view due(Clock::time_point now) const;
    void consumed(std::size_t count);

    // When the next byte becomes due.
    Clock::time_point nextDue() const { return nextByteTime_; }

  private:
    std::chrono::nanoseconds byteTime_;
    Clock::time_point nextByteTime_{};
    std::string pending_;
};

}  // namespace ecfsim
