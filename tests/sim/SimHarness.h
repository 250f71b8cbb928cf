// Runs the ecfsim binary and talks to its device the way the link program does.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ChildProcess.h"

namespace simtest {

using Millis = std::chrono::milliseconds;

inline constexpr std::string_view kContinuation =
    "\x01"
    "b.++}";

class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::filesystem::path path(const std::string& name) const { return root_ / name; }

  private:
    std::filesystem::path root_;
};

class SimProcess {
  public:
    // Starts ecfsim with `args` and waits for the line announcing the device.
    explicit SimProcess(const std::vector<std::string>& args);

    const std::string& readyLine() const { return readyLine_; }
    // SIGTERM, then the exit status (negative if it did not exit normally).
    int stop() { return process_.stop(); }
    void signal(int number) const { process_.signal(number); }

  private:
    testsupport::ChildProcess process_;
    std::string readyLine_;
};

// Runs ecfsim to completion and returns its exit status; for start-up failures.
// What it wrote on standard error goes to `errors` when given.
int runToExit(const std::vector<std::string>& args, std::string* errors = nullptr);

class LinkClient {
  public:
    explicit LinkClient(const std::string& devicePath);  // raw, like the link program
    ~LinkClient();

    void send(std::string_view bytes);
    // Reads until nothing arrives for `quiet`.
    // Bytes until the line has been quiet for `quiet`, waiting up to firstByte
    // for the first one (a loaded machine may take a while to answer).
    std::string readUntilQuiet(Millis quiet = Millis(150), Millis firstByte = Millis(150));
    // True once the device has hung up, within `limit`.
    bool hungUp(Millis limit);

    struct Reply {
        std::string kept;
        bool endedByTimeLimit;
    };
    // One exchange as the link program makes it: sends the frame and a line
    // feed, reads byte by byte under `perByte`, and in multi-block mode answers
    // every "}" from the fifth byte on with a continuation until one byte
    // arrives after ".]}".
    Reply exchange(std::string_view frame, bool multiBlock, Millis perByte);

  private:
    bool readByte(char& byte, Millis limit);
    int fd_ = -1;
};

}  // namespace simtest
