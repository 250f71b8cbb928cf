#pragma once
// The workstation's side of the file exchange with the link program: the
// request file eq.MSG goes into the working directory, the reply comes back as
// eq.RSP. The wait blocks the caller (the window does not process events).

#include <QString>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

namespace cuponex {

// An input/output failure of the exchange; what() is the text to show.
class ExchangeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Exchange {
  public:
    // The directory prefix is read again at every look for the reply; file
    // paths are the prefix followed directly by the file name.
    using DirectoryPrefix = std::function<QString()>;
    // Called when the reply's mode cannot be set; the reply is still read.
    using PermissionFailed = std::function<void()>;

    static constexpr const char* kTimeoutReply = ".-P006}";
    static constexpr std::chrono::milliseconds kLimit{5000};

    Exchange(DirectoryPrefix prefix, PermissionFailed permissionFailed);

    // ESC "." text "}".
    static std::string frame(const std::string& commandText);

    // Writes the frame and a line feed as eq.MSG, waits up to kLimit for
    // eq.RSP and returns its first line without carriage returns, or
    // kTimeoutReply. Throws ExchangeError when the request cannot be written
    // or the reply cannot be read, and when eq.RSP is anything but a regular
    // file with a single name (that is removed, unread and its mode unchanged).
    std::string run(const std::string& frame);

    // Whether the last run ended for want of a reply (its result is then
    // kTimeoutReply), as opposed to a reply that reads the same.
    bool timedOut() const { return timedOut_; }

  private:
    std::string path(const char* name) const;
    void writeRequest(const std::string& frame) const;
    std::string readFirstLine(int fd, const std::string& replyPath) const;

    DirectoryPrefix prefix_;
    PermissionFailed permissionFailed_;
    bool timedOut_ = false;
};

}  // namespace cuponex
