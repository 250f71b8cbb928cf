#pragma once
// Small pieces of POSIX file handling that the exchange and the file writers
// share.

#include <unistd.h>

#include <string>
#include <string_view>
#include <utility>

namespace cuponex {

// A file descriptor, closed on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Writes every byte, going on after interruptions and short writes. False
// with errno set when a write fails (ENOSPC when one writes nothing).
bool writeAll(int fd, std::string_view bytes);

// The directory part of a path, with its trailing "/", and its last name:
// "/a/b/eq.MSG" gives "/a/b/" and "eq.MSG"; a path without "/" gives "" and
// itself, so the directory part is always a prefix of the path.
std::pair<std::string, std::string> splitPath(const std::string& path);

}  // namespace cuponex
