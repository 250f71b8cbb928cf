#pragma once
// Test helpers for the link program: a scratch directory, file helpers, a
// pseudo-terminal whose master side plays the printer, and a started eqlink.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace eqlink_test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "eqlink-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

  private:
    std::string path_;
};

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

inline std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

// The printer's end of a pseudo-terminal; slavePath() is the "serial device".
// A raw slave descriptor stays open so the line stays up while the link opens
// and closes its side, and so tests can look at the line's settings.
class FakePrinterLine {
  public:
    FakePrinterLine() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        ::grantpt(master_);
        ::unlockpt(master_);
        slavePath_ = ::ptsname(master_);
        slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
    }
    // Closing the master hangs the line up for whoever still has the slave open.
    ~FakePrinterLine() {
        ::close(slave_);
        ::close(master_);
    }
    FakePrinterLine(const FakePrinterLine&) = delete;
    FakePrinterLine& operator=(const FakePrinterLine&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    int slaveFd() const { return slave_; }
    int masterFd() const { return master_; }

    // Writes every byte, unless the link stops taking them for `limit`.
    bool send(std::string_view bytes, std::chrono::milliseconds limit = 5000ms) const {
        while (!bytes.empty()) {
            const ssize_t n = ::write(master_, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            pollfd entry{master_, POLLOUT, 0};
            if (::poll(&entry, 1, static_cast<int>(limit.count())) <= 0) return false;
        }
        return true;
    }

    // What the link wrote, until `count` bytes came or `limit` passed.
    std::string receive(std::size_t count, std::chrono::milliseconds limit = 3000ms) const {
        std::string got;
        const auto deadline = Clock::now() + limit;
        while (got.size() < count) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            pollfd entry{master_, POLLIN, 0};
            if (left <= 0 || ::poll(&entry, 1, static_cast<int>(left)) <= 0) break;
            char buffer[65536];
            const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    // True once the link has put its own settings on the line.
    bool setUpByLink() const {
        termios line{};
        return ::tcgetattr(slave_, &line) == 0 && line.c_iflag == IGNPAR;
    }

    // Packet mode on the printer's side, where a read tells the link's bytes
    // from its flushes. A pseudo-terminal keeps no output queue of its own (it
    // is the printer's input straight away), so a flush of the link's output
    // can be seen only this way.
    void packetMode(bool on) const {
        int flag = on ? 1 : 0;
        ::ioctl(master_, TIOCPKT, &flag);
    }

    struct Packets {
        std::string data;
        bool outputFlushed = false;
    };
    // In packet mode: waits for the link to flush its output, reading nothing
    // of what it wrote. True when that happened within `limit`.
    bool awaitOutputFlush(std::chrono::milliseconds limit) const {
        const auto deadline = Clock::now() + limit;
        for (;;) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            pollfd entry{master_, POLLPRI, 0};
            if (left <= 0 || ::poll(&entry, 1, static_cast<int>(left)) <= 0) return false;
            // A one-byte read takes a pending status and never any data.
            char status = 0;
            if (::read(master_, &status, 1) == 1 && (status & TIOCPKT_FLUSHWRITE)) return true;
        }
    }

    // In packet mode: reads until nothing comes for `quiet`.
    Packets drainPackets(std::chrono::milliseconds quiet = 100ms) const {
        Packets got;
        pollfd entry{master_, POLLIN, 0};
        while (::poll(&entry, 1, static_cast<int>(quiet.count())) == 1) {
            char buffer[65536];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            if (buffer[0] == TIOCPKT_DATA) {
                got.data.append(buffer + 1, static_cast<std::size_t>(n - 1));
            } else if (buffer[0] & TIOCPKT_FLUSHWRITE) {
                got.outputFlushed = true;
            }
        }
        return got;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// A started eqlink (or another program), its standard output and error going
// to files in outputDir. With ownGroup it leads a process group of its own,
// and stopping it stops the whole group: what it started too (the children a
// server forks for its connections).
class EqlinkProcess {
  public:
    EqlinkProcess(const std::vector<std::string>& args, const std::string& outputDir,
                  const std::vector<std::string>& extraEnv = {}, const char* program = EQLINK_PATH,
                  bool ownGroup = false)
        : stdoutPath_(outputDir + "/stdout"),
          stderrPath_(outputDir + "/stderr"),
          ownGroup_(ownGroup) {
        std::vector<char*> argv{const_cast<char*>(program)};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> env;
        for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
        for (const auto& e : extraEnv) env.push_back(const_cast<char*>(e.c_str()));
        env.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, stdoutPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, stderrPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        if (ownGroup_) {
            posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
            posix_spawnattr_setpgroup(&attributes, 0);
        }
        if (posix_spawn(&pid_, program, &actions, &attributes, argv.data(), env.data()) != 0) {
            pid_ = -1;
        }
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    ~EqlinkProcess() { stop(); }
    EqlinkProcess(const EqlinkProcess&) = delete;
    EqlinkProcess& operator=(const EqlinkProcess&) = delete;

    pid_t pid() const { return pid_; }

    // The exit status once it ends by itself; -1 when still running after `limit`.
    int waitForExit(std::chrono::milliseconds limit = 5000ms) {
        const auto deadline = Clock::now() + limit;
        while (pid_ > 0) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            }
            if (Clock::now() > deadline) return -1;
            std::this_thread::sleep_for(2ms);
        }
        return -1;
    }

    bool running() {
        if (pid_ <= 0 || reaped_) return false;
        if (::waitpid(pid_, nullptr, WNOHANG) == 0) return true;
        reaped_ = true;  // its number is no longer its own
        return false;
    }

    void stop() {
        if (pid_ <= 0) return;
        if (ownGroup_) ::kill(-pid_, SIGTERM);  // the group may outlive its leader
        if (!reaped_) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    std::string out() const { return readFile(stdoutPath_).value_or("?"); }
    std::string err() const { return readFile(stderrPath_).value_or("?"); }

  private:
    std::string stdoutPath_;
    std::string stderrPath_;
    bool ownGroup_ = false;
    bool reaped_ = false;
    pid_t pid_ = -1;
};

// Waits until `condition` holds; false when `limit` passes first.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit = 2000ms) {
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// The workstation's side of the files in `dir`.
class Workstation {
  public:
    explicit Workstation(std::string dir) : dir_(std::move(dir)) {}

    // Publishes the request in one step (written under another name, renamed).
    void request(std::string_view bytes) const {
        ::unlink((dir_ + "/eq.RSP").c_str());
        writeFile(dir_ + "/eq.MSG.new", bytes);
        ::rename((dir_ + "/eq.MSG.new").c_str(), (dir_ + "/eq.MSG").c_str());
    }

    // The response, read and deleted, or nothing after `limit`.
    std::optional<std::string> response(std::chrono::milliseconds limit = 3000ms) const {
        const std::string path = dir_ + "/eq.RSP";
        const auto deadline = Clock::now() + limit;
        do {
            if (exists(path)) {
                auto reply = readFile(path);
                ::unlink(path.c_str());
                return reply;
            }
            std::this_thread::sleep_for(1ms);
        } while (Clock::now() < deadline);
        return std::nullopt;
    }

    std::string operator/(std::string_view name) const { return dir_ + "/" + std::string(name); }

  private:
    std::string dir_;
};

}  // namespace eqlink_test
