// A printer on another machine served by ser2net, the daemon of serial device
// servers and lab exporters, with the configuration the README gives. On the
// workstation's side socat runs in the README's loop, making a local
// pseudo-terminal for the TCP port, and eqlink takes it for its serial port.
// Both ends run here, with ecfsim as the printer. Without ser2net or socat
// the test is skipped, and fails under CI (CI=true), where both must be.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RemotePrinterBench.h"

namespace {

using namespace std::chrono_literals;
using eqlink_test::ChildProcess;
using eqlink_test::findProgram;

// The README's configuration, on the loopback address, the simulated
// printer's device and `port`.
std::string readmeConfig(int port, const std::string& device) {
    return "%YAML 1.1\n"
           "---\n"
           "connection: &ecf\n"
           "    accepter: tcp,127.0.0.1," +
           std::to_string(port) +
           "\n"
           "    enable: on\n"
           "    options:\n"
           "      kickolduser: true\n"
           "    connector: serialdev," +
           device + ",9600n81,rtscts,local\n";
}

class Ser2net : public eqlink_test::RemotePrinterBench {
  protected:
    Ser2net() : RemotePrinterBench(Client::InLoop) {}

    std::string findPrograms() override {
        ser2net_ = findProgram("ser2net");
        socat_ = findProgram("socat");
        if (ser2net_.empty() || socat_.empty()) {
            return "ser2net or socat is not installed (scripts/setup.sh installs both)";
        }
        return "";
    }

    // In the foreground, without UUCP locks (they would go into the system's
    // /run/lock).
    std::unique_ptr<ChildProcess> serve(int port) override {
        const std::string config = scratch / "ser2net.yaml";
        eqlink_test::writeFile(config, readmeConfig(port, simDevice_));
        return std::make_unique<ChildProcess>(ser2net_,
                                              std::vector<std::string>{"-n", "-u", "-c", config},
                                              std::vector<std::string>{}, ChildProcess::Group::Own);
    }

    std::string ser2net_;
};

TEST_F(Ser2net, CarriesRequestsAndOutlivesTheDaemonRestarted) {
    expectAnswers("first start");

    // The daemon goes: the connection ends, and with it the loop's socat and
    // its pseudo-terminal; the link closes its port.
    server_->stop();
    ASSERT_TRUE(linkClosedPort(3000ms));
    ASSERT_TRUE(link_->running());

    // Back on its port: the loop connects again, the link opens the new
    // pseudo-terminal by itself, and requests are answered as before.
    ASSERT_TRUE(startServer(port_)) << server_->err();
    ASSERT_TRUE(connected()) << client_->err();
    ASSERT_TRUE(linkOnDevice(5000ms)) << link_->err();
    expectAnswers("restarted");

    EXPECT_TRUE(link_->running());
    EXPECT_EQ(link_->out() + link_->err(), "");
}

}  // namespace
