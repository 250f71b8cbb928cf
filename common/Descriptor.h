#pragma once
// A file descriptor, closed on every way out: the workstation's exchange and
// file writers and the scenario reader hold their files with it.

#include <unistd.h>

namespace cuponex {

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

}  // namespace cuponex
