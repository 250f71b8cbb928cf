#pragma once
// A printer on another machine with both ends on this one: ecfsim plays the
// printer on a pseudo-terminal, a serial server (the test's own: socat or
// ser2net) serves that device on a TCP port, socat on the workstation's side
// makes a local pseudo-terminal for the port, and the real eqlink takes it for
// its serial port. A test gives the server and finds the programs.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "LinkTestSupport.h"

namespace eqlink_test {

// The program's path along PATH, then in /usr/sbin (a daemon's place, often
// missing from a user's PATH); "" when it is not there.
std::string findProgram(const std::string& name);

// A TCP port nobody uses now: the kernel's choice for port 0, freed again.
// Another program may still take it before the server does.
int freePort();

// True when a socket with the local TCP port (IPv4 or IPv6) is in `state`, as
// the kernel lists them in /proc/net/tcp*: "0A" listening, "01" connected.
bool socketIn(int port, const std::string& state);

// The device a symbolic link leads to, "" when there is no link.
std::string deviceAt(const std::string& link);

class RemotePrinterBench : public ::testing::Test {
  protected:
    // How the workstation's socat runs: once, as the README starts it, or in
    // the README's loop, started again a second after each end.
    enum class Client { Once, InLoop };
    explicit RemotePrinterBench(Client client) : clientRuns_(client) {}

    // Looks for the programs the bench needs (socat_ and the server's); why
    // the test cannot run, "" when all are there.
    virtual std::string findPrograms() = 0;
    // The serial server on `port` for simDevice_, in a process group of its
    // own (with the children it forks for its connections).
    virtual std::unique_ptr<ChildProcess> serve(int port) = 0;

    // The printer, the server on a free port, the client and the link on it;
    // skipped without the programs, a failure under CI.
    void SetUp() override;
    // Children in the reverse order of their start.
    void TearDown() override;

    // True once the server listens on `port`.
    bool startServer(int port);
    // Once: fails unless socat runs and made its pseudo-terminal.
    void startClient();
    // The client's socat holds a connection to the server.
    bool connected();
    // The link has the pseudo-terminal now at device_ open; it looks once a second.
    bool linkOnDevice(std::chrono::milliseconds limit);
    // The link has no pseudo-terminal open any more.
    bool linkClosedPort(std::chrono::milliseconds limit);

    // As the window sends a request: written under another name, renamed to
    // eq.MSG; then the reply, read and deleted, or nothing after `limit`.
    std::optional<std::string> ask(const std::string& frame,
                                   std::chrono::milliseconds limit = 3000ms);
    // A short request, then a report: each block's continuation goes back
    // across the bridge too.
    void expectAnswers(const std::string& when);

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

  private:
    Client clientRuns_;
};

}  // namespace eqlink_test
