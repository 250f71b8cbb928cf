#pragma once
// The workstation's side of the file exchange with the link program: the
// request file eq.MSG goes into the working directory, the reply comes back as
// eq.RSP. The wait blocks the caller (the window does not process events).

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/EcfProtocol.h"

namespace cuponex {

// The working directory when none is named (--dir); the window's field starts
// with it.
inline constexpr const char* kDefaultWorkingDirectory = "/HOME/USUARIO/ecf/ttyS0/";

// An input/output failure of the exchange; what() is the text the window
// shows, in ISO-8859-1.
class ExchangeError : public std::runtime_error {
  public:
    enum class Kind {
        InputOutput,
        DirectoryBusy,  // another client held the directory for the whole limit
    };
    explicit ExchangeError(const std::string& text, Kind kind = Kind::InputOutput,
                           std::string directory = {})
        : std::runtime_error(text), kind_(kind), directory_(std::move(directory)) {}
    Kind kind() const { return kind_; }
    // The working directory as the caller named it (file-system bytes), for
    // DirectoryBusy.
    const std::string& directory() const { return directory_; }

  private:
    Kind kind_;
    std::string directory_;
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

    // How the last run ended.
    enum class Outcome {
        Reply,     // the reply was read
        TimedOut,  // a link took the request, no reply came in time
        NotTaken,  // no link took it: it was withdrawn and never reaches the printer
    };

    // The working directory is a prefix in the file system's bytes: a file's
    // path is the prefix followed directly by the file name, so it ends in "/".
    // Locks the directory, removes an old eq.RSP, writes the frame and a line
    // feed as eq.MSG, waits up to the limit (the wait for the lock included)
    // for the eq.RSP that answers it and returns its first line without
    // carriage returns, or kTimeoutReply. A request still in place when the
    // wait ends is withdrawn. A reply published before the link program took
    // the request answers an earlier one and is never returned. Throws
    // ExchangeError when the directory stays locked by another client, the
    // old reply cannot be removed (the request is then not written), the
    // request cannot be written or withdrawn or the reply cannot be read, and
    // when eq.RSP is anything but a regular file with a single name (that is
    // removed, unread and its mode unchanged).
    std::string run(const std::string& directory, const std::string& frame);

    // How long run() waits for the reply; kLimit unless changed.
    void setLimit(std::chrono::milliseconds limit) { limit_ = limit; }

    // Whether the wait sleeps on the directory's change events (the default)
    // or looks for the reply every half millisecond, as it does where the
    // directory cannot be watched.
    void setWatchDirectory(bool watch) { watchDirectory_ = watch; }

    Outcome outcome() const { return outcome_; }
    // Whether the last run ended for want of a reply, taken or not (its result
    // is then kTimeoutReply), as opposed to a reply that reads the same.
    bool timedOut() const { return outcome_ != Outcome::Reply; }

  private:
    PermissionFailed permissionFailed_;
    std::chrono::milliseconds limit_ = kLimit;
    bool watchDirectory_ = true;
    Outcome outcome_ = Outcome::Reply;
};

}  // namespace cuponex
