#include "Server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <thread>

#include "scenario/Scenario.h"

namespace ecfsim {
namespace {

using Clock = OutputQueue::Clock;

timespec toTimespec(Clock::duration wait) {
    wait = std::max(wait, Clock::duration::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wait - seconds);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>(nanos.count())};
}

}  // namespace

Server::Server(int fd, const Options& options, std::FILE* log, RecordedReplies* recorded)
    : fd_(fd),
      log_(log),
      printerSettings_(options.printer),
      recorded_(recorded),
      printer_(options.printer, recorded),
      output_(options.paced ? options.baud : 0) {}

void Server::attach(int fd) {
    fd_ = fd;
    reader_ = FrameReader();
    printer_ = Printer(printerSettings_, recorded_);
    output_.clear();
    writeBlocked_ = false;
}

void Server::run(const volatile sig_atomic_t& wake, const sigset_t& waitMask) {
    while (!wake) {
        writeDue();
        answerIncomplete();

        std::optional<Clock::time_point> deadline;
        if (!output_.empty() && !writeBlocked_) deadline = output_.nextDue();
        if (reader_.hasPartial()) {
            const auto giveUp = lastInput_ + kIncompleteTimeout;
            deadline = deadline ? std::min(*deadline, giveUp) : giveUp;
        }
        pollfd line{fd_, static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0)), 0};
        timespec wait{};
        if (deadline) wait = toTimespec(*deadline - Clock::now());
        if (ppoll(&line, 1, deadline ? &wait : nullptr, &waitMask) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error(std::string("ppoll: ") + std::strerror(errno));
        }
        if (line.revents & POLLOUT) writeBlocked_ = false;
        if (line.revents & POLLIN) {
            readInput();
        } else if (line.revents & (POLLHUP | POLLERR)) {
            // No client side open (should not happen while the slave is held).
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

void Server::readInput() {
    char buffer[4096];
    const ssize_t count = read(fd_, buffer, sizeof buffer);
    if (count <= 0) return;
    lastInput_ = Clock::now();
    for (const Unit& unit : reader_.feed(std::string_view(buffer, static_cast<size_t>(count))))
        handle(unit);
}

void Server::answerIncomplete() {
    if (reader_.hasPartial() && Clock::now() - lastInput_ >= kIncompleteTimeout)
        handle(*reader_.flushPartial());
}

void Server::handle(const Unit& unit) {
    if (unit.kind != UnitKind::Continuation) {
        // A new request means the client has given up on what is still unsent.
        output_.clear();
        if (log_) {  // in the scenario notation's bytes
            std::fprintf(log_, "%s\n", cuponex::escapeBytes(unit.raw).c_str());
            std::fflush(log_);
        }
    }
    output_.append(printer_.answer(unit), Clock::now());
}

void Server::writeDue() {
    if (writeBlocked_) return;
    const std::string_view bytes = output_.due(Clock::now());
    if (bytes.empty()) return;
    const ssize_t written = write(fd_, bytes.data(), bytes.size());
    if (written > 0) output_.consumed(static_cast<size_t>(written));
    if (written < 0 && errno == EAGAIN) writeBlocked_ = true;
    // A partial write leaves the rest due at once; the next pass retries it.
}

}  // namespace ecfsim
