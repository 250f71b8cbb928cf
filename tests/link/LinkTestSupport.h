#pragma once
// Test helpers for the link program: a scratch directory, file helpers, a
// pseudo-terminal whose master side plays the printer, the workstation's side
// of the files. Programs are started with ChildProcess.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
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

#include "ChildProcess.h"

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

using testsupport::ChildProcess;

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
