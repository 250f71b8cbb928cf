#include "DirectoryWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace cuponex {

DirectoryWatch::DirectoryWatch(const std::string& directory) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return;
    const uint32_t mask = IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE | IN_MOVED_FROM |
                          IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (::inotify_add_watch(fd_, directory.empty() ? "." : directory.c_str(), mask) < 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

DirectoryWatch::~DirectoryWatch() {
    if (fd_ >= 0) ::close(fd_);
}

std::vector<DirectoryWatch::Event> DirectoryWatch::wait(std::chrono::milliseconds limit) {
    std::vector<Event> events;
    if (!works()) return events;
    pollfd waiting{fd_, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(std::max<long>(limit.count(), 0)));
    if (ready <= 0) return events;  // a signal counts as nothing having happened yet

    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // EAGAIN: everything queued has been read
        for (ssize_t at = 0; at < n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                lost_ = true;
                continue;
            }
            if (event.len == 0) continue;
            const bool left = event.mask & (IN_DELETE | IN_MOVED_FROM);
            events.push_back({std::string(name), left ? Change::Left : Change::Arrived});
        }
    }
    return events;
}

}  // namespace cuponex
