#pragma once
// A program a test starts (the link, the simulated printer, socat, cuponex):
// its standard input is /dev/null, its standard output and error go to files
// of its own, read back with out() and err(). Plain C++ and POSIX, for the
// GoogleTest and the Qt Test programs alike. Every wait has a limit, and the
// program is stopped when the object goes.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class ChildProcess {
  public:
    // With Group::Own it leads a process group of its own, and stopping it
    // stops the whole group: the children a server forks for its connections.
    enum class Group { Shared, Own };
    // What waitForExit() and stop() give when there is no exit status.
    static constexpr int kStillRunning = -1;
    static constexpr int kKilledBySignal = -2;

    // `env`: NAME=VALUE entries over the test's own environment.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& env = {}, Group group = Group::Shared);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // -1 when it could not be started.
    pid_t pid() const { return pid_; }
    bool running();

    // The exit status once it ends by itself within `limit`.
    int waitForExit(std::chrono::milliseconds limit = std::chrono::seconds(5));

    // SIGTERM (to its group too), then the exit status; SIGKILL when it has
    // not ended within `limit`.
    int stop(std::chrono::milliseconds limit = std::chrono::seconds(5));

    void signal(int number) const;

    std::string out() const;
    std::string err() const;

    // The first line it writes on standard output, without the line feed;
    // none when no whole line came within `limit` or it ended first.
    std::optional<std::string> firstLine(std::chrono::milliseconds limit = std::chrono::seconds(5));

  private:
    bool reap(bool block);

    std::string outputDir_;
    pid_t pid_ = -1;
    bool ownGroup_ = false;
    std::optional<int> status_;  // once reaped: its number is no longer its own
};

}  // namespace testsupport
