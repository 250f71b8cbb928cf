// A printer on another machine through the standard bridge, as the README
// and eqlink(1) show it: on the printer's side socat serves the serial device
// on a TCP port; on the workstation's side another socat makes a local
// pseudo-terminal for that port, and eqlink takes it for its serial port.
// Here both ends run on one machine, with ecfsim as the printer and the real
// eqlink. Skipped when socat is not installed (scripts/setup.sh installs it),
// a failure under CI.

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

#include "LinkTestSupport.h"
#include "SkipOrFail.h"

namespace {

using namespace std::chrono_literals;
using eqlink_test::ChildProcess;
using eqlink_test::Clock;
using eqlink_test::exists;
using eqlink_test::readFile;
using eqlink_test::ScratchDir;
using eqlink_test::waitFor;
using eqlink_test::writeFile;

// socat's path, looked for along PATH; "" when it is not there.
std::string findSocat() {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/socat";
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "";
}

// A TCP port that nobody uses now: the kernel's choice for a socket bound to
// port 0, freed again. Another program may still take it before socat does,
// so the server is started again on another port when it cannot listen.
int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = -1;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (fd >= 0) ::close(fd);
    return port;
}

// True when a socket listens on the TCP port (IPv4 or IPv6), as the kernel
// lists them in /proc/net/tcp*: local address HEXADDR:HEXPORT, state 0A.
bool listeningOn(int port) {
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream in(table);
        std::string line;
        std::getline(in, line);  // the heading
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            const auto colon = local.rfind(':');
            if (colon != std::string::npos && state == "0A" &&
                std::stoi(local.substr(colon + 1), nullptr, 16) == port) {
                return true;
            }
        }
    }
    return false;
}

// True when the process has `device` open.
bool hasOpen(pid_t pid, const std::string& device) {
    std::error_code error;
    const std::string dir = "/proc/" + std::to_string(pid) + "/fd";
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (std::filesystem::read_symlink(entry.path(), error).string() == device) return true;
    }
    return false;
}

// True when the process has some pseudo-terminal open.
bool hasTerminalOpen(pid_t pid) {
    std::error_code error;
    const std::string dir = "/proc/" + std::to_string(pid) + "/fd";
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (std::filesystem::read_symlink(entry.path(), error).string().starts_with("/dev/pts/")) {
            return true;
        }
    }
    return false;
}

// The device a symbolic link leads to, "" when there is no link.
std::string deviceAt(const std::string& link) {
    std::error_code error;
    return std::filesystem::read_symlink(link, error).string();
}

class Bridge : public ::testing::Test {
  protected:
    void SetUp() override {
        socat_ = findSocat();
        if (socat_.empty()) {
            SKIP_OR_FAIL_UNDER_CI(
                "socat is not installed (scripts/setup.sh installs it); "
                "the bridge to a remote printer is not tested");
        }
        ASSERT_EQ(::mkdir((scratch / "ecf").c_str(), 0755), 0);
        // The printer, on its pseudo-terminal.
        sim_ = std::make_unique<ChildProcess>(
            ECFSIM_PATH, std::vector<std::string>{"--link", simDevice_, "--unpaced"});
        ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(simDevice_); }, 3000ms))
            << sim_->err();
        startServer();
        ASSERT_GT(port_, 0) << "no port for the serial server";
        startClient();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(std::filesystem::is_symlink(device_)) << "socat made no " << device_;
        // The link on the local pseudo-terminal, as it would be on /dev/ttyECF.
        link_ = std::make_unique<ChildProcess>(
            EQLINK_PATH, std::vector<std::string>{"-d", device_, "-p", scratch / "ecf"});
        ASSERT_TRUE(waitFor([&] { return hasOpen(link_->pid(), deviceAt(device_)); }, 3000ms))
            << link_->err();
    }

    // Children in the reverse order of their start; the server with the
    // children it forked for its connections.
    void TearDown() override {
        link_.reset();
        client_.reset();
        server_.reset();
        sim_.reset();
    }

    // The printer's side: the serial device served on a TCP port, with the
    // options the README gives for a real port (a pseudo-terminal takes them
    // too). A port that someone else took in the meantime is given up for
    // another.
    void startServer() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const int port = freePort();
            if (port <= 0) continue;
            server_ = std::make_unique<ChildProcess>(
                socat_,
                std::vector<std::string>{
                    "TCP-LISTEN:" + std::to_string(port) +
                        ",reuseaddr,fork,max-children=1,keepalive,keepidle=10,keepintvl=5,"
                        "keepcnt=3",
                    "FILE:" + simDevice_ +
                        ",raw,echo=0,b9600,cs8,parenb=0,cstopb=0,crtscts=1,clocal=1"},
                std::vector<std::string>{}, ChildProcess::Group::Own);
            if (waitFor([&] { return listeningOn(port) || !server_->running(); }, 3000ms) &&
                server_->running()) {
                port_ = port;
                return;
            }
            server_.reset();
        }
    }

    // The workstation's side: a local pseudo-terminal at device_ for the
    // remote port.
    void startClient() {
        client_ = std::make_unique<ChildProcess>(
            socat_,
            std::vector<std::string>{"PTY,link=" + device_ + ",raw,echo=0",
                                     "TCP:127.0.0.1:" + std::to_string(port_)},
            std::vector<std::string>{}, ChildProcess::Group::Own);
        ASSERT_TRUE(waitFor(
            [&] { return std::filesystem::is_symlink(device_) || !client_->running(); }, 3000ms));
        ASSERT_TRUE(client_->running()) << client_->err();
    }

    // As the window sends a request: written under another name, renamed to
    // eq.MSG; then the reply, read and deleted, or nothing after `limit`.
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
    std::string socat_;
    std::string simDevice_ = scratch / "ttySIM";
    std::string device_ = scratch / "ttyECF";
    // -p DIR/ecf, then the base name of -d.
    std::string work_ = scratch / "ecf/ttyECF";
    int port_ = -1;
    std::unique_ptr<ChildProcess> sim_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> client_;
    std::unique_ptr<ChildProcess> link_;
};

TEST_F(Bridge, RequestsCrossItAndTheLinkOutlivesAReconnection) {
    EXPECT_EQ(ask("\x1b.05}\n").value_or("(none)"), ".+0500");
    // A report: each block's continuation goes back across the bridge.
    EXPECT_EQ(ask("\x1b.13}\n").value_or("(none)"),
              "RELATORIO 13 BLOCO 1}RELATORIO 13 BLOCO 2}RELATORIO 13 BLOCO 3}.]}");

    // The connection drops: the local end goes, as a USB adapter pulled out,
    // and the link closes its port.
    client_->stop();
    EXPECT_FALSE(std::filesystem::is_symlink(device_));
    ASSERT_TRUE(waitFor([&] { return !hasTerminalOpen(link_->pid()); }, 2000ms));
    ASSERT_TRUE(link_->running());

    // A new connection at the same path: the link opens it by itself.
    startClient();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(waitFor([&] { return hasOpen(link_->pid(), deviceAt(device_)); }, 3000ms));
    EXPECT_EQ(ask("\x1b.05}\n").value_or("(none)"), ".+0500");
    EXPECT_EQ(ask("\x1b.13}\n").value_or("(none)"),
              "RELATORIO 13 BLOCO 1}RELATORIO 13 BLOCO 2}RELATORIO 13 BLOCO 3}.]}");

    EXPECT_TRUE(link_->running());
    EXPECT_EQ(link_->out() + link_->err(), "");
}

}  // namespace
