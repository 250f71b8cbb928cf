#include "RemotePrinterBench.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "SkipOrFail.h"

namespace eqlink_test {

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin:/usr/sbin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    const std::string sbin = "/usr/sbin/" + name;
    return ::access(sbin.c_str(), X_OK) == 0 ? sbin : "";
}

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

bool socketIn(int port, const std::string& state) {
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream in(table);
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
    }
    return false;
}

std::string deviceAt(const std::string& link) {
    std::error_code error;
    return std::filesystem::read_symlink(link, error).string();
}

void RemotePrinterBench::SetUp() {
    const std::string missing = findPrograms();
    if (!missing.empty()) SKIP_OR_FAIL_UNDER_CI(missing);
    ASSERT_EQ(::mkdir((scratch / "ecf").c_str(), 0755), 0);
    sim_ = std::make_unique<ChildProcess>(
        ECFSIM_PATH, std::vector<std::string>{"--link", simDevice_, "--unpaced"});
    ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(simDevice_); }, 3000ms))
        << sim_->err();
    // A port someone else took in the meantime is given up for another.
    for (int attempt = 0; attempt < 5 && port_ < 0; ++attempt) {
        const int port = freePort();
        if (port > 0 && startServer(port)) port_ = port;
    }
    ASSERT_GT(port_, 0) << "the serial server did not listen: "
                        << (server_ ? server_->err() : std::string());
    startClient();
    if (HasFatalFailure()) return;
    if (clientRuns_ == Client::InLoop) {
        ASSERT_TRUE(connected()) << client_->err();
    }
    ASSERT_TRUE(std::filesystem::is_symlink(device_)) << "socat made no " << device_;
    // The link on the local pseudo-terminal, as it would be on /dev/ttyECF.
    link_ = std::make_unique<ChildProcess>(
        EQLINK_PATH, std::vector<std::string>{"-d", device_, "-p", scratch / "ecf"});
    ASSERT_TRUE(linkOnDevice(3000ms)) << link_->err();
}

void RemotePrinterBench::TearDown() {
    link_.reset();
    client_.reset();
    server_.reset();
    sim_.reset();
}

bool RemotePrinterBench::startServer(int port) {
    server_ = serve(port);
    return waitFor([&] { return socketIn(port, "0A") || !server_->running(); }, 3000ms) &&
           server_->running();
}

void RemotePrinterBench::startClient() {
    const std::vector<std::string> ends = {"PTY,link=" + device_ + ",raw,echo=0",
                                           "TCP:127.0.0.1:" + std::to_string(port_)};
    if (clientRuns_ == Client::InLoop) {
        client_ = std::make_unique<ChildProcess>(
            "/bin/sh",
            std::vector<std::string>{"-c", "while :; do \"$0\" \"$1\" \"$2\"; sleep 1; done",
                                     socat_, ends[0], ends[1]},
            std::vector<std::string>{}, ChildProcess::Group::Own);
        return;
    }
    client_ = std::make_unique<ChildProcess>(socat_, ends, std::vector<std::string>{},
                                             ChildProcess::Group::Own);
    ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(device_) || !client_->running(); },
                        3000ms));
    ASSERT_TRUE(client_->running()) << client_->err();
}

bool RemotePrinterBench::connected() {
    return waitFor([&] { return socketIn(port_, "01"); }, 5000ms);
}

bool RemotePrinterBench::linkOnDevice(std::chrono::milliseconds limit) {
    return waitFor(
        [&] {
            const std::string device = deviceAt(device_);
            return !device.empty() && portOpenedBy(link_->pid()) == device;
        },
        limit);
}

bool RemotePrinterBench::linkClosedPort(std::chrono::milliseconds limit) {
    return waitFor([&] { return portOpenedBy(link_->pid()).empty(); }, limit);
}

std::optional<std::string> RemotePrinterBench::ask(const std::string& frame,
                                                   std::chrono::milliseconds limit) {
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

void RemotePrinterBench::expectAnswers(const std::string& when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(ask("\x1b.05}\n").value_or("(none)"), ".+0500");
    EXPECT_EQ(ask("\x1b.13}\n").value_or("(none)"),
              "RELATORIO 13 BLOCO 1}RELATORIO 13 BLOCO 2}RELATORIO 13 BLOCO 3}.]}");
}

}  // namespace eqlink_test
