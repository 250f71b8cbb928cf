// Taking a request and reading a reply, called directly, with the test's
// pseudo-terminal as the port.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "LinkTestSupport.h"
#include "eq_io.h"
#include "eq_respo.h"
#include "eq_send.h"
#include "eq_var.h"

namespace {

using namespace std::chrono_literals;
using eqlink_test::exists;
using eqlink_test::writeFile;

const std::string kContinuation = "\x01\x62\x2e\x2b\x2b\x7d";

class EqExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        eq_var_reset();
        eq_set_text(&eq_device, printer.slavePath().c_str());
        ASSERT_EQ(eq_com_init(), 0);
        eq_set_text(&eq_msgfile, request.c_str());
        eq_resptim = 1;
    }
    void TearDown() override {
        ::close(eq_fd);
        eq_fd = -1;
        eq_var_reset();
    }

    int getMessage(std::string& got) {
        char* data = nullptr;
        size_t length = 0;
        const int code = eq_get_message(&data, &length);
        got = code == 0 ? std::string(data, length) : "";
        return code;
    }
    int getResponse(std::string& got) {
        char* data = nullptr;
        size_t length = 0;
        const int code = eq_get_response(&data, &length);
        got = code == 0 ? std::string(data, length) : "";
        if (code == 0) {
            EXPECT_EQ(data[length], '\0');
        }
        return code;
    }

    eqlink_test::FakePrinterLine printer;
    eqlink_test::ScratchDir scratch;
    std::string request = scratch / "eq.MSG";
};

TEST_F(EqExchangeTest, RequestOfExactlyTheCapIsTakenOneMoreIsDeleted) {
    std::string got;
    writeFile(request, std::string(EQ_DATA_CAP, 'B'));
    ASSERT_EQ(getMessage(got), 0);
    EXPECT_EQ(got.size(), EQ_DATA_CAP);
    EXPECT_FALSE(exists(request));

    writeFile(request, std::string(EQ_DATA_CAP + 1, 'C'));
    EXPECT_EQ(getMessage(got), 4);
    EXPECT_FALSE(exists(request));  // deleted, so it is not met again
}

TEST_F(EqExchangeTest, EveryRequestDecidesTheMultiBlockFlag) {
    leituraX = 1;  // as a report that ended in a failure leaves it
    ASSERT_EQ(eq_send_message("\x1b.05}\n"), 0);
    EXPECT_EQ(leituraX, 0);
    for (const char* report : {"\x1b.13}\n", "\x1b.15}\n", "\x1b.16}\n", "\x1b.18}\n"}) {
        ASSERT_EQ(eq_send_message(report), 0);
        EXPECT_EQ(leituraX, 1) << report + 1;
    }
    ASSERT_EQ(eq_send_message("\x1b.14}\n"), 0);
    EXPECT_EQ(leituraX, 0);
    ASSERT_EQ(eq_send_message("\x1b.1"), 0);
    EXPECT_EQ(leituraX, 0);
    EXPECT_EQ(printer.receive(39),
              "\x1b.05}\n\x1b.13}\n\x1b.15}\n\x1b.16}\n\x1b.18}\n\x1b.14}\n\x1b.1");
}

TEST_F(EqExchangeTest, OrdinaryReplyEndsAtTheFirstBraceAndLeavesTheRest) {
    std::string got;
    printer.send(std::string("a\0\xff\r\n", 5) + "}next}");
    ASSERT_EQ(getResponse(got), 0);
    EXPECT_EQ(got, std::string("a\0\xff\r\n", 5));
    ASSERT_EQ(getResponse(got), 0);
    EXPECT_EQ(got, "next");
    EXPECT_EQ(printer.receive(1, 50ms), "");  // nothing is answered
}

TEST_F(EqExchangeTest, BlocksAreAnsweredFromTheFifthByteOn) {
    leituraX = 1;
    std::thread reportPrinter([&] {
        // "}" at positions 2 and 3 come too early to be answered; the one at
        // 5 is, and so is the marker's own "}". The byte after the marker ends
        // the reply.
        printer.send("ab}}c}");
        EXPECT_EQ(printer.receive(6), kContinuation);
        printer.send(".]}");
        EXPECT_EQ(printer.receive(6), kContinuation);
        printer.send("X");
    });
    std::string got;
    const auto start = eqlink_test::Clock::now();
    ASSERT_EQ(getResponse(got), 0);
    reportPrinter.join();
    EXPECT_LT(eqlink_test::Clock::now() - start, 900ms);  // not ended by the time limit
    EXPECT_EQ(got, "ab}}c}.]}");
    EXPECT_EQ(leituraX, 0);
    EXPECT_EQ(printer.receive(1, 50ms), "");
}

TEST_F(EqExchangeTest, ReportWithoutAnyByteFails) {
    leituraX = 1;
    std::string got;
    EXPECT_EQ(getResponse(got), 6);
}

TEST_F(EqExchangeTest, ReplyOfExactlyTheCapIsKept) {
    std::string got;
    std::thread sender([&] { printer.send(std::string(EQ_DATA_CAP, 'R') + "}"); });
    ASSERT_EQ(getResponse(got), 0);
    sender.join();
    EXPECT_EQ(got.size(), EQ_DATA_CAP);
    EXPECT_EQ(got.find_first_not_of('R'), std::string::npos);
}

// Writes into the port until it takes no more, not even after a pause: nobody
// reads the printer's side.
void fillPort() {
    const std::string chunk(4096, 'F');
    pollfd entry{eq_fd, POLLOUT, 0};
    do {
        while (::write(eq_fd, chunk.data(), chunk.size()) > 0) {
        }
    } while (::poll(&entry, 1, 200) == 1);
}

TEST_F(EqExchangeTest, PortThatTakesNothingFailsAfterTheLimitAndDropsWhatIsQueued) {
    printer.packetMode(true);
    // A request the port stops taking halfway: nobody reads the printer's side.
    const std::string request(400000, 'S');
    auto start = eqlink_test::Clock::now();
    EXPECT_EQ(eq_send_message(request.c_str()), 1);
    auto took = eqlink_test::Clock::now() - start;
    EXPECT_GT(took, 900ms);
    EXPECT_LT(took, 3500ms);
    auto seen = printer.drainPackets();
    EXPECT_TRUE(seen.outputFlushed);
    EXPECT_LT(seen.data.size(), request.size());

    // A block's continuation that the port cannot take.
    leituraX = 1;
    fillPort();
    printer.send("abcd}");
    std::string got;
    start = eqlink_test::Clock::now();
    EXPECT_EQ(getResponse(got), 1);
    took = eqlink_test::Clock::now() - start;
    EXPECT_GT(took, 900ms);
    EXPECT_LT(took, 3500ms);
    seen = printer.drainPackets();
    EXPECT_TRUE(seen.outputFlushed);
    EXPECT_EQ(seen.data.find(kContinuation), std::string::npos);

    // The port is as good as before.
    ASSERT_EQ(eq_send_message("\x1b.05}\n"), 0);
    seen = printer.drainPackets();
    EXPECT_EQ(seen.data, "\x1b.05}\n");
    EXPECT_FALSE(seen.outputFlushed);
}

TEST(EqPortAway, HangUpClosesThePortWhichIsTriedAgainOnceASecond) {
    eqlink_test::ScratchDir scratch;
    const std::string device = scratch / "ttyUSB0";
    auto printer = std::make_unique<eqlink_test::FakePrinterLine>();
    ASSERT_EQ(::symlink(printer->slavePath().c_str(), device.c_str()), 0);
    eq_var_reset();
    eq_set_text(&eq_device, device.c_str());
    eq_resptim = 1;
    ASSERT_EQ(eq_com_init(), 0);

    // The reply so far is dropped with the line.
    printer->send("abc");
    std::this_thread::sleep_for(20ms);
    printer.reset();
    char* data = nullptr;
    size_t length = 0;
    EXPECT_EQ(eq_get_response(&data, &length), 5);
    EXPECT_EQ(eq_fd, -1);

    // Away: each step fails at once.
    const auto start = eqlink_test::Clock::now();
    EXPECT_EQ(eq_send_message("\x1b.05}\n"), 1);
    EXPECT_EQ(eq_get_response(&data, &length), 5);
    EXPECT_LT(eqlink_test::Clock::now() - start, 100ms);

    // Back at the same path, but taken only when the second is up.
    ::unlink(device.c_str());
    printer = std::make_unique<eqlink_test::FakePrinterLine>();
    ASSERT_EQ(::symlink(printer->slavePath().c_str(), device.c_str()), 0);
    EXPECT_EQ(eq_port_up(), 0);
    EXPECT_GT(eq_port_retry_in(), 800);
    std::this_thread::sleep_for(std::chrono::milliseconds(eq_port_retry_in() + 10));
    EXPECT_EQ(eq_port_up(), 1);
    EXPECT_TRUE(printer->setUpByLink());
    ASSERT_EQ(eq_send_message("\x1b.05}\n"), 0);
    EXPECT_EQ(printer->receive(6), "\x1b.05}\n");
    ::close(eq_fd);
    eq_fd = -1;
    eq_var_reset();
}

TEST(EqEnd, PutsThePortsOwnSettingsBackAndExitsWithTheCode) {
    eqlink_test::FakePrinterLine printer;
    termios own{};
    ::tcgetattr(printer.slaveFd(), &own);
    ::cfsetspeed(&own, B38400);
    ::tcsetattr(printer.slaveFd(), TCSANOW, &own);
    EXPECT_EXIT(
        {
            eq_var_reset();
            eq_set_text(&eq_device, printer.slavePath().c_str());
            eq_com_init();
            eq_end(-499);
        },
        ::testing::ExitedWithCode(13), "");
    termios now{};
    ::tcgetattr(printer.slaveFd(), &now);
    EXPECT_EQ(::cfgetospeed(&now), static_cast<speed_t>(B38400));
}

}  // namespace
