// A printer on another machine through the standard bridge, as the README
// and eqlink(1) show it: on the printer's side socat serves the serial device
// on a TCP port; on the workstation's side another socat makes a local
// pseudo-terminal for that port, and eqlink takes it for its serial port.
// Here both ends run on one machine, with ecfsim as the printer and the real
// eqlink. Skipped when socat is not installed (scripts/setup.sh installs it),
// a failure under CI.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "RemotePrinterBench.h"

namespace {

using namespace std::chrono_literals;
using eqlink_test::ChildProcess;

class Bridge : public eqlink_test::RemotePrinterBench {
  protected:
    Bridge() : RemotePrinterBench(Client::Once) {}

    std::string findPrograms() override {
        socat_ = eqlink_test::findProgram("socat");
        return socat_.empty() ? "socat is not installed (scripts/setup.sh installs it); "
                                "the bridge to a remote printer is not tested"
                              : "";
    }

    // The printer's side: the serial device served on a TCP port, with the
    // options the README gives for a real port (a pseudo-terminal takes them
    // too).
    std::unique_ptr<ChildProcess> serve(int port) override {
        return std::make_unique<ChildProcess>(
            socat_,
            std::vector<std::string>{
                "TCP-LISTEN:" + std::to_string(port) +
                    ",reuseaddr,fork,max-children=1,keepalive,keepidle=10,keepintvl=5,"
                    "keepcnt=3",
                "FILE:" + simDevice_ +
                    ",raw,echo=0,b9600,cs8,parenb=0,cstopb=0,crtscts=1,clocal=1"},
            std::vector<std::string>{}, ChildProcess::Group::Own);
    }
};

TEST_F(Bridge, RequestsCrossItAndTheLinkOutlivesAReconnection) {
    expectAnswers("first connection");

    // The connection drops: the local end goes, as a USB adapter pulled out,
    // and the link closes its port.
    client_->stop();
    EXPECT_FALSE(std::filesystem::is_symlink(device_));
    ASSERT_TRUE(linkClosedPort(2000ms));
    ASSERT_TRUE(link_->running());

    // A new connection at the same path: the link opens it by itself.
    startClient();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(linkOnDevice(3000ms));
    expectAnswers("new connection");

    EXPECT_TRUE(link_->running());
    EXPECT_EQ(link_->out() + link_->err(), "");
}

}  // namespace
