#pragma once
// The workstation's side of the file exchange with the link program: the
// request file eq.MSG goes into the working directory, the reply comes back as
// eq.RSP. The wait blocks the caller (the window does not process events).

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

#include "common/EcfProtocol.h"

namespace cuponex {

// An input/output failure of the exchange; what() is the text to show, in
// ISO-8859-1.
class ExchangeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Exchange {
  public:
    // Called when the reply's mode cannot be set; the reply is still read.
    using PermissionFailed = std::function<void()>;

    static constexpr const char* kTimeoutReply = ecf::kTimeoutReply;
    static constexpr std::chrono::milliseconds kLimit{5000};

    explicit Exchange(PermissionFailed permissionFailed = {});

    // ESC "." text "}".
    static std::string frame(const std::string& commandText);

    // The working directory is a prefix in the file system's bytes: a file's
    // path is the prefix followed directly by the file name, so it ends in "/".
    // Removes an old eq.RSP, writes the frame and a line feed as eq.MSG, waits
    // up to the limit for the eq.RSP that answers it and returns its first
    // line without carriage returns, or kTimeoutReply. A reply published
    // before the link program took the request answers an earlier one and is
    // never returned. Throws ExchangeError when the old reply cannot be
    // removed (the request is then not written), the request cannot be
    // written or the reply cannot be read, and when eq.RSP is anything but a
    // regular file with a single name (that is removed, unread and its mode
    // unchanged).
    std::string run(const std::string& directory, const std::string& frame);

    // How long run() waits for the reply; kLimit unless changed.
    void setLimit(std::chrono::milliseconds limit) { limit_ = limit; }

    // Whether the wait sleeps on the directory's change events (the default)
    // or looks for the reply every half millisecond, as it does where the
    // directory cannot be watched.
    void setWatchDirectory(bool watch) { watchDirectory_ = watch; }

    // Whether the last run ended for want of a reply (its result is then
    // kTimeoutReply), as opposed to a reply that reads the same.
    bool timedOut() const { return timedOut_; }

  private:
    PermissionFailed permissionFailed_;
    std::chrono::milliseconds limit_ = kLimit;
    bool watchDirectory_ = true;
    bool timedOut_ = false;
};

}  // namespace cuponex
