// One program per port: eqlink locks the port it opens, at start-up and at
// every reopen after a replug.

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "LinkTestSupport.h"

namespace {

using namespace std::chrono_literals;
using testsupport::ChildProcess;
using eqlink_test::exists;
using eqlink_test::FakePrinterLine;
using eqlink_test::ScratchDir;
using eqlink_test::waitFor;
using eqlink_test::Workstation;
using eqlink_test::writeFile;

void exchange(const FakePrinterLine& printer, const Workstation& ws, const std::string& reply) {
    ws.request("\x1b.05}\n");
    EXPECT_EQ(printer.receive(6), "\x1b.05}\n");
    printer.send(reply + "}");
    EXPECT_EQ(ws.response().value_or("(none)"), reply);
}

speed_t lineSpeed(const FakePrinterLine& printer) {
    termios line{};
    ::tcgetattr(printer.slaveFd(), &line);
    return ::cfgetospeed(&line);
}

TEST(EqlinkPortLock, SecondLinkOnAHeldPortEndsAtStartUpAndTouchesNothing) {
    ScratchDir scratch;
    FakePrinterLine printer;
    Workstation ws{scratch / "w"};
    const std::vector<std::string> args = {
        "-d", printer.slavePath(), "-p", scratch.path(), "-s", "w", "-T", "1"};
    ChildProcess first(EQLINK_PATH, args);
    ASSERT_TRUE(waitFor([&] { return printer.setUpByLink(); }));

    // What the second would spoil if it went on: the line's settings, and
    // what looks like a request the first is reading.
    termios line{};
    ::tcgetattr(printer.slaveFd(), &line);
    ::cfsetspeed(&line, B38400);
    ::tcsetattr(printer.slaveFd(), TCSANOW, &line);
    writeFile(ws / "eqL.MSG", "\x1b.05}\n");

    ASSERT_EQ(::mkdir((scratch / "second").c_str(), 0755), 0);
    ChildProcess second(EQLINK_PATH, args);
    EXPECT_EQ(second.waitForExit(), 13);
    EXPECT_EQ(second.err(),
              "eqlink: the serial port " + printer.slavePath() + " is in use by another program\n");
    EXPECT_EQ(second.out(), "");
    EXPECT_EQ(lineSpeed(printer), static_cast<speed_t>(B38400));
    EXPECT_TRUE(exists(ws / "eqL.MSG"));

    ::unlink((ws / "eqL.MSG").c_str());
    exchange(printer, ws, "first");
    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.out() + first.err(), "");
}

TEST(EqlinkPortLock, HeldPortAtAReopenIsWaitedForAsADeviceThatIsAway) {
    ScratchDir scratch;
    const std::string device = scratch / "ttyUSB0";
    Workstation ws{scratch / "w"};
    auto printer = std::make_unique<FakePrinterLine>();
    ASSERT_EQ(::symlink(printer->slavePath().c_str(), device.c_str()), 0);
    ChildProcess link(EQLINK_PATH, {"-d", device, "-p", scratch.path(), "-s", "w", "-T", "1"});
    ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }));
    exchange(*printer, ws, "one");

    // Pulled out, and plugged in again while another program holds the new device.
    ::unlink(device.c_str());
    printer = std::make_unique<FakePrinterLine>();
    const int holder = ::open(printer->slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(::symlink(printer->slavePath().c_str(), device.c_str()), 0);
    std::this_thread::sleep_for(2200ms);  // two tries at least
    EXPECT_FALSE(printer->setUpByLink());
    // Meanwhile as with the device away: taken, nothing on the line, no reply.
    ws.request("\x1b.05}\n");
    EXPECT_EQ(ws.response(1500ms), std::nullopt);
    EXPECT_EQ(printer->receive(1, 100ms), "");

    ::close(holder);
    ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }, 2500ms));
    exchange(*printer, ws, "two");
    EXPECT_TRUE(link.running());
    EXPECT_EQ(link.out() + link.err(), "");
}

}  // namespace
