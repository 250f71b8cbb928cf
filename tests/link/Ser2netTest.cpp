// A printer on another machine served by ser2net, the daemon of serial device
// servers and lab exporters, with the configuration the README gives. On the
// workstation's side socat runs in the README's loop, making a local
// pseudo-terminal for the TCP port, and eqlink takes it for its serial port.
// Both ends run here, with ecfsim as the printer. Without ser2net or socat
// the test is skipped, and fails under CI (CI=true), where both must be.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "LinkTestSupport.h"
#include "SkipOrFail.h"

namespace {

using namespace std::chrono_literals;
using testsupport::ChildProcess;
using eqlink_test::exists;
using eqlink_test::readFile;
using eqlink_test::ScratchDir;
using eqlink_test::waitFor;
using eqlink_test::writeFile;

const std::string kReport = "RELATORIO 13 BLOCO 1}RELATORIO 13 BLOCO 2}RELATORIO 13 BLOCO 3}.]}";

// The program's path along PATH; "" when it is not there.
std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin:/usr/sbin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    // ser2net is a daemon: /usr/sbin may be missing from a user's PATH.
    const std::string sbin = "/usr/sbin/" + name;
    return ::access(sbin.c_str(), X_OK) == 0 ? sbin : "";
}

// A TCP port nobody uses now: the kernel's choice for port 0, freed again.
int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (fd >= 0) ::close(fd);
    return port;
}

// True when a socket with the local TCP port is in `state`, as the kernel
// lists them in /proc/net/tcp: "0A" listening, "01" connected.
bool socketIn(int port, const std::string& state) {
    std::ifstream in("/proc/net/tcp");
    std::string line;
    std::getline(in, line);  // the heading
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, itsState;
        fields >> slot >> local >> remote >> itsState;
        const auto colon = local.rfind(':');
        if (colon != std::string::npos && itsState == state &&
            std::stoi(local.substr(colon + 1), nullptr, 16) == port) {
            return true;
        }
    }
    return false;
}

// True when the process has some pseudo-terminal open, or `device` if given.
bool hasTerminalOpen(pid_t pid, const std::string& device = "") {
    std::error_code error;
    const std::string dir = "/proc/" + std::to_string(pid) + "/fd";
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (device.empty() ? target.starts_with("/dev/pts/") : target == device) return true;
    }
    return false;
}

std::string deviceAt(const std::string& link) {
    std::error_code error;
    return std::filesystem::read_symlink(link, error).string();
}

class Ser2net : public ::testing::Test {
  protected:
    void SetUp() override {
        ser2net_ = findProgram("ser2net");
        socat_ = findProgram("socat");
        if (ser2net_.empty() || socat_.empty()) {
            SKIP_OR_FAIL_UNDER_CI("ser2net or socat is not installed (scripts/setup.sh installs both)");
        }
        for (const char* dir : {"ecf", "sim", "server", "client", "link"}) {
            ASSERT_EQ(::mkdir((scratch / dir).c_str(), 0755), 0) << dir;
        }
        sim_ = std::make_unique<ChildProcess>(
            ECFSIM_PATH, std::vector<std::string>{"--link", simDevice_, "--unpaced"});
        ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(simDevice_); }, 3000ms))
            << sim_->err();
        // A port someone else took in the meantime is given up for another.
        for (int attempt = 0; attempt < 5 && port_ < 0; ++attempt) {
            const int port = freePort();
            if (port > 0 && startServer(port)) port_ = port;
        }
        ASSERT_GT(port_, 0) << "ser2net did not listen: " << server_->err();
        startClient();
        ASSERT_TRUE(connected()) << client_->err();
        link_ = std::make_unique<ChildProcess>(
            EQLINK_PATH, std::vector<std::string>{"-d", device_, "-p", scratch / "ecf"});
        ASSERT_TRUE(linkOnDevice()) << link_->err();
    }

    void TearDown() override {
        link_.reset();
        client_.reset();
        server_.reset();
        sim_.reset();
    }

    // The README's configuration, on the loopback address, the simulated
    // printer's device and a free port; in the foreground, without UUCP
    // locks (they would go into the system's /run/lock).
    bool startServer(int port) {
        const std::string config = scratch / "ser2net.yaml";
        writeFile(config,
                  "%YAML 1.1\n"
                  "---\n"
                  "connection: &ecf\n"
                  "    accepter: tcp,127.0.0.1," +
                      std::to_string(port) +
                      "\n"
                      "    enable: on\n"
                      "    options:\n"
                      "      kickolduser: true\n"
                      "    connector: serialdev," +
                      simDevice_ + ",9600n81,rtscts,local\n");
        server_ = std::make_unique<ChildProcess>(
            ser2net_, std::vector<std::string>{"-n", "-u", "-c", config},
            std::vector<std::string>{}, ChildProcess::Group::Own);
        return waitFor([&] { return socketIn(port, "0A") || !server_->running(); }, 3000ms) &&
               server_->running();
    }

    // The README's loop: socat again a second after each end of it.
    void startClient() {
        client_ = std::make_unique<ChildProcess>(
            "/bin/sh",
            std::vector<std::string>{"-c", "while :; do \"$0\" \"$1\" \"$2\"; sleep 1; done",
                                     socat_, "PTY,link=" + device_ + ",raw,echo=0",
                                     "TCP:127.0.0.1:" + std::to_string(port_)},
            std::vector<std::string>{}, ChildProcess::Group::Own);
    }

    // The loop's socat holds a connection to the daemon.
    bool connected() {
        return waitFor([&] { return socketIn(port_, "01"); }, 5000ms);
    }

    // The link has the pseudo-terminal now at device_ open; it looks once a second.
    bool linkOnDevice() {
        return waitFor(
            [&] {
                const std::string device = deviceAt(device_);
                return !device.empty() && hasTerminalOpen(link_->pid(), device);
            },
            5000ms);
    }

    // As the window sends a request; the reply, or nothing after `limit`.
    std::optional<std::string> ask(const std::string& frame,
                                   std::chrono::milliseconds limit = 3000ms) {
        const std::string reply = work_ + "/eq.RSP";
        ::unlink(reply.c_str());
        writeFile(work_ + "/eqW.MSG", frame);
        if (::rename((work_ + "/eqW.MSG").c_str(), (work_ + "/eq.MSG").c_str()) != 0) {
            return std::nullopt;
        }
        if (!waitFor([&] { return exists(reply); }, limit)) return std::nullopt;
        auto got = readFile(reply);
        ::unlink(reply.c_str());
        return got;
    }

    ScratchDir scratch;
    std::string ser2net_;
    std::string socat_;
    std::string simDevice_ = scratch / "ttySIM";
    std::string device_ = scratch / "ttyECF";
    std::string work_ = scratch / "ecf/ttyECF";
    int port_ = -1;
    std::unique_ptr<ChildProcess> sim_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> client_;
    std::unique_ptr<ChildProcess> link_;
};

TEST_F(Ser2net, CarriesRequestsAndOutlivesTheDaemonRestarted) {
    EXPECT_EQ(ask("\x1b.05}\n").value_or("(none)"), ".+0500");
    EXPECT_EQ(ask("\x1b.13}\n").value_or("(none)"), kReport);

    // The daemon goes: the connection ends, and with it the loop's socat and
    // its pseudo-terminal; the link closes its port.
    server_->stop();
    ASSERT_TRUE(waitFor([&] { return !hasTerminalOpen(link_->pid()); }, 3000ms));
    ASSERT_TRUE(link_->running());

    // Back on its port: the loop connects again, the link opens the new
    // pseudo-terminal by itself, and requests are answered as before.
    ASSERT_TRUE(startServer(port_)) << server_->err();
    ASSERT_TRUE(connected()) << client_->err();
    ASSERT_TRUE(linkOnDevice()) << link_->err();
    EXPECT_EQ(ask("\x1b.05}\n").value_or("(none)"), ".+0500");
    EXPECT_EQ(ask("\x1b.13}\n").value_or("(none)"), kReport);

    EXPECT_TRUE(link_->running());
    EXPECT_EQ(link_->out() + link_->err(), "");
}

}  // namespace
