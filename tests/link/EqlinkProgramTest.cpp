// The eqlink program as started from a shell, the test playing both the
// workstation (files) and the printer (the far side of a pseudo-terminal).

#include <dirent.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "LinkTestSupport.h"

namespace {

using namespace std::chrono_literals;
using eqlink_test::ChildProcess;
using eqlink_test::Clock;
using eqlink_test::exists;
using eqlink_test::FakePrinterLine;
using eqlink_test::readFile;
using eqlink_test::ScratchDir;
using eqlink_test::waitFor;
using eqlink_test::Workstation;
using eqlink_test::writeFile;

const std::string kContinuation = "\x01\x62\x2e\x2b\x2b\x7d";
constexpr std::size_t kCap = 1024 * 1024;

struct StartUpCase {
    std::vector<std::string> args;
    int status;
    std::string said;  // the one line on standard error
};

TEST(EqlinkStartUp, FailuresEndWithTheirStatus) {
    ScratchDir scratch;
    writeFile(scratch / "plain", "x");
    const std::vector<StartUpCase> told = {
        {{"-p", scratch / "no/parent"},
         11,
         "eqlink: cannot create the working directory " + scratch / "no/parent/ttyS1" +
             ": No such file or directory\n"},
        {{"-p", scratch.path(), "-s", "plain"},  // a file where the directory goes
         11,
         "eqlink: cannot use the working directory " + scratch / "plain" + ": Not a directory\n"},
        {{"-p", scratch.path(), "-d", "/dev/no-such-printer"},
         13,
         "eqlink: cannot open the serial port /dev/no-such-printer: No such file or directory\n"},
    };
    for (const StartUpCase& c : told) {
        ChildProcess link(EQLINK_PATH, c.args);
        EXPECT_EQ(link.waitForExit(), c.status) << c.args[1];
        EXPECT_EQ(link.out(), "") << c.args[1];
        EXPECT_EQ(link.err(), c.said);
    }
    EXPECT_TRUE(exists(scratch / "no-such-printer"));  // made before the device was tried
    EXPECT_FALSE(exists(scratch / "no"));

    const std::vector<std::vector<std::string>> wrong = {
        {"-x"}, {"/dev/ttyS0"}, {"-p", scratch.path(), "-d"}};
    for (const auto& args : wrong) {
        ChildProcess link(EQLINK_PATH, args);
        EXPECT_EQ(link.waitForExit(), 12) << args.back();
        EXPECT_EQ(link.out(), "");
        const std::string err = link.err();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(args.back()), std::string::npos) << err;
    }

    ChildProcess help(EQLINK_PATH, {"-h", "-x"});
    EXPECT_EQ(help.waitForExit(), 12);
    EXPECT_NE(help.out().find("usage: eqlink"), std::string::npos);
    EXPECT_EQ(help.err(), "");
}

TEST(EqlinkStartUp, ExistingWorkingDirectoryKeepsItsMode) {
    ScratchDir scratch;
    ASSERT_EQ(::mkdir((scratch / "ttyX").c_str(), 0700), 0);
    ChildProcess link(EQLINK_PATH, {"-p", scratch.path(), "-d", "/dev/missing/ttyX"});
    EXPECT_EQ(link.waitForExit(), 13);
    struct stat info {};
    ::stat((scratch / "ttyX").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
}

TEST(EqlinkBinary, NeedsNothingButLibc) {
#ifdef EQLINK_SANITIZE
    GTEST_SKIP() << "the sanitizer runtimes are linked in";
#else
    FILE* ldd = ::popen("ldd " EQLINK_PATH, "r");
    ASSERT_NE(ldd, nullptr);
    char line[512];
    int libraries = 0;
    while (::fgets(line, sizeof line, ldd) != nullptr) {
        const std::string entry(line);
        ++libraries;
        EXPECT_TRUE(entry.find("linux-vdso") != std::string::npos ||
                    entry.find("ld-linux") != std::string::npos ||
                    entry.find("libc.so") != std::string::npos)
            << entry;
    }
    EXPECT_EQ(::pclose(ldd), 0);
    EXPECT_GE(libraries, 2);
#endif
}

// A running eqlink on a fresh line and directory, time limit 1 s.
class RunningLink : public ::testing::Test {
  protected:
    void start(const std::vector<std::string>& extraEnv = {}) {
        link = std::make_unique<ChildProcess>(
            EQLINK_PATH,
            std::vector<std::string>{"-d", printer.slavePath(), "-p", scratch.path(), "-s", "w",
                                     "-T", "1"},
            extraEnv);
        const auto deadline = Clock::now() + 3s;
        while (!printer.setUpByLink() && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(printer.setUpByLink());
    }
    void SetUp() override { start(); }
    void TearDown() override {
        EXPECT_TRUE(link->running());
        link->stop();
        EXPECT_EQ(link->out() + link->err(), "");
    }

    // Request sent and seen on the line; the reply published.
    void exchange(const std::string& frame, const std::string& reply, const std::string& kept) {
        ws.request(frame);
        EXPECT_EQ(printer.receive(frame.size()), frame);
        printer.send(reply);
        EXPECT_EQ(ws.response().value_or("(none)"), kept);
    }

    ScratchDir scratch;
    FakePrinterLine printer;
    std::unique_ptr<ChildProcess> link;
    Workstation ws{scratch / "w"};
};

TEST_F(RunningLink, OrdinaryExchangeAndTheLineSettings) {
    termios line{};
    ASSERT_EQ(::tcgetattr(printer.slaveFd(), &line), 0);
    EXPECT_EQ(line.c_iflag, static_cast<tcflag_t>(IGNPAR));
    EXPECT_EQ(line.c_oflag, 0u);
    EXPECT_EQ(line.c_lflag, 0u);
    EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CREAD | CLOCAL),
              static_cast<tcflag_t>(CS8 | CREAD | CLOCAL));
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B9600));
    EXPECT_EQ(line.c_cc[VMIN], 1);
    EXPECT_EQ(line.c_cc[VTIME], 0);

    printer.send("stale bytes}");  // arrived between exchanges: must not pass for the reply
    std::this_thread::sleep_for(50ms);
    exchange("\x1b.05}\n", ".+0000}trailing", ".+0000");
    EXPECT_FALSE(exists(ws / "eq.MSG"));
    EXPECT_FALSE(exists(ws / "eqT.RSP"));
    EXPECT_EQ(printer.receive(1, 100ms), "");
    // Written in place rather than renamed: taken once the writer closes it.
    writeFile(ws / "eq.MSG", "\x1b.22}\n");
    EXPECT_EQ(printer.receive(6), "\x1b.22}\n");
    printer.send("ok}");
    EXPECT_EQ(ws.response().value_or("(none)"), "ok");
}

TEST_F(RunningLink, ReportEndsOneByteAfterTheMarker) {
    ws.request("\x1b.13}\n");
    EXPECT_EQ(printer.receive(6), "\x1b.13}\n");
    for (const std::string block : {"block one}", "block two}", ".]}"}) {
        printer.send(block);
        EXPECT_EQ(printer.receive(6), kContinuation) << block;
    }
    printer.send("Z");  // the byte that ends it, not kept
    EXPECT_EQ(ws.response(500ms).value_or("(none)"), "block one}block two}.]}");
    // The next ordinary reply is not read in blocks.
    exchange("\x1b.05}\n", "abcd}efgh}", "abcd");
    EXPECT_EQ(printer.receive(1, 100ms), "");
}

TEST_F(RunningLink, ReportEndsByTheTimeLimitAfterItsBytes) {
    ws.request("\x1b.15}\n");
    EXPECT_EQ(printer.receive(6), "\x1b.15}\n");
    printer.send("Xblock}");
    EXPECT_EQ(printer.receive(6), kContinuation);
    printer.send(".]}");
    EXPECT_EQ(printer.receive(6), kContinuation);
    const auto start = Clock::now();
    EXPECT_EQ(ws.response(3s).value_or("(none)"), "Xblock}.]}");
    EXPECT_GT(Clock::now() - start, 700ms);
}

TEST_F(RunningLink, SilentPrinterPublishesNothingAndTheLoopGoesOn) {
    for (const char* frame : {"\x1b.0100001}\n", "\x1b.16}\n"}) {  // ordinary, then a report
        ws.request(frame);
        EXPECT_EQ(printer.receive(std::strlen(frame)), frame);
        EXPECT_EQ(ws.response(1500ms), std::nullopt) << frame + 1;
        EXPECT_FALSE(exists(ws / "eqT.RSP"));
    }
    exchange("\x1b.05}\n", "ok}", "ok");
}

TEST_F(RunningLink, LargeRequestsAndRepliesTravelWhole) {
    const std::string request = "\x1b.40" + std::string(20000, 'L') + "}\n";
    const std::string reply(20000, 'r');
    ws.request(request);
    EXPECT_EQ(printer.receive(request.size()), request);
    printer.send(reply + "}");
    EXPECT_EQ(ws.response().value_or("(none)"), reply);

    // Past the cap: deleted and not sent. The reply step still listens.
    ws.request(std::string(kCap + 1, 'M'));
    const auto deadline = Clock::now() + 2s;
    while (exists(ws / "eq.MSG") && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(exists(ws / "eq.MSG"));
    EXPECT_EQ(printer.receive(1, 200ms), "");
    printer.send("idle}");
    EXPECT_EQ(ws.response().value_or("(none)"), "idle");
}

TEST_F(RunningLink, ReplyPastTheCapIsDroppedAndTheLoopGoesOn) {
    // A report that ends in a failure; the ordinary request after it must
    // still be read as an ordinary reply.
    ws.request("\x1b.18}\n");
    EXPECT_EQ(printer.receive(6), "\x1b.18}\n");
    EXPECT_TRUE(printer.send(std::string(kCap + 1, 'Q')));
    EXPECT_EQ(ws.response(300ms), std::nullopt);
    exchange("\x1b.05}\n", "abcd}efgh}", "abcd");
    EXPECT_EQ(printer.receive(1, 100ms), "");
}

TEST_F(RunningLink, PlantedLinkIsNotFollowed) {
    writeFile(scratch / "victim", "untouched");
    ASSERT_EQ(::symlink((scratch / "victim").c_str(), (ws / "eqT.RSP").c_str()), 0);
    ws.request("\x1b.05}\n");
    EXPECT_EQ(printer.receive(6), "\x1b.05}\n");
    printer.send("payload}");
    EXPECT_EQ(ws.response(300ms), std::nullopt);
    EXPECT_EQ(readFile(scratch / "victim").value_or("(none)"), "untouched");
    ::unlink((ws / "eqT.RSP").c_str());
    exchange("\x1b.05}\n", "ok}", "ok");
}

TEST_F(RunningLink, RequestThatIsNotARegularFileIsRemovedUnread) {
    const std::string secret = "\x1b.05SECRET}\n";
    writeFile(scratch / "victim", secret);
    struct Odd {
        const char* kind;
        std::function<int(const std::string&)> make;
    };
    const std::string victim = scratch / "victim";
    const std::vector<Odd> odds = {
        {"symbolic link",
         [&](const std::string& at) { return ::symlink(victim.c_str(), at.c_str()); }},
        {"second name", [&](const std::string& at) { return ::link(victim.c_str(), at.c_str()); }},
        {"named pipe", [](const std::string& at) { return ::mkfifo(at.c_str(), 0666); }},
        {"directory", [](const std::string& at) { return ::mkdir(at.c_str(), 0755); }},
        {"device",
         [](const std::string& at) {
             return ::mknod(at.c_str(), S_IFCHR | 0666, ::makedev(1, 3));
         }},
    };
    for (const Odd& odd : odds) {
        if (odd.make(ws / "odd") != 0) {
            EXPECT_EQ(errno, EPERM) << odd.kind;  // a device needs the right to make one
            continue;
        }
        ASSERT_EQ(::rename((ws / "odd").c_str(), (ws / "eq.MSG").c_str()), 0);
        const auto deadline = Clock::now() + 2s;
        while (::access((ws / "eq.MSG").c_str(), F_OK) == 0 && Clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        struct stat info {};
        EXPECT_NE(::lstat((ws / "eq.MSG").c_str(), &info), 0) << odd.kind << " left in place";
        EXPECT_EQ(printer.receive(1, 100ms), "") << odd.kind;
        // The pass that met it listens as usual and the link goes on.
        printer.send("p}");
        EXPECT_EQ(ws.response().value_or("(none)"), "p") << odd.kind;
    }
    EXPECT_EQ(readFile(victim).value_or("(none)"), secret);
    exchange("\x1b.05}\n", "ok}", "ok");
}

TEST_F(RunningLink, PortThatStopsTakingBytesDoesNotHoldTheLink) {
    // Nobody reads the printer's side: the line fills up and the request
    // stops halfway. After the time limit the rest is dropped for good.
    printer.packetMode(true);
    const std::string request = "\x1b.40" + std::string(400000, 'L') + "}\n";
    const auto start = Clock::now();
    ws.request(request);
    ASSERT_TRUE(printer.awaitOutputFlush(5s));
    EXPECT_GT(Clock::now() - start, 900ms);
    const auto seen = printer.drainPackets();
    EXPECT_LT(seen.data.size(), request.size());
    printer.packetMode(false);
    // Once the pass has listened out its time, the next request goes whole.
    exchange("\x1b.05}\n", "ok}", "ok");
    EXPECT_EQ(printer.receive(1, 100ms), "");
}

int descriptorsOf(pid_t pid) {
    int count = 0;
    DIR* dir = ::opendir(("/proc/" + std::to_string(pid) + "/fd").c_str());
    if (dir == nullptr) return -1;
    while (dirent* entry = ::readdir(dir)) count += entry->d_name[0] != '.';
    ::closedir(dir);
    return count;
}

TEST_F(RunningLink, UnreadableRequestLeaksNoDescriptor) {
    exchange("\x1b.05}\n", "ok}", "ok");
    const int before = descriptorsOf(link->pid());
    // A directory opens but cannot be read (as root the only sure way); one
    // that holds a file cannot be removed either, so every pass meets it.
    ASSERT_EQ(::mkdir((ws / "dir").c_str(), 0755), 0);
    writeFile(ws / "dir/inside", "x");
    ASSERT_EQ(::rename((ws / "dir").c_str(), (ws / "eq.MSG").c_str()), 0);
    // Each pass fails to read it, then listens; a reply ends the pass.
    for (int pass = 0; pass < 5; ++pass) {
        printer.send("p}");
        EXPECT_EQ(ws.response().value_or("(none)"), "p");
    }
    EXPECT_EQ(descriptorsOf(link->pid()), before);
    EXPECT_EQ(printer.receive(1, 50ms), "");
    std::filesystem::remove_all(ws / "eq.MSG");
}

TEST_F(RunningLink, RequestFoundAfterTheDirectoryIsRemovedAndMadeAgain) {
    exchange("\x1b.05}\n", "one}", "one");
    std::filesystem::remove_all(scratch / "w");
    std::this_thread::sleep_for(50ms);
    ASSERT_EQ(::mkdir((scratch / "w").c_str(), 0755), 0);
    exchange("\x1b.05}\n", "two}", "two");
}

// The device the process has open now, "" when none: where its descriptor to
// a pseudo-terminal leads.
std::string portOpenedBy(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (target.starts_with("/dev/pts/")) return target;
    }
    return "";
}

// Processor time of a process so far, in clock ticks.
long long processorTicks(pid_t pid) {
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat").value_or("");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long long ticks = 0;
    for (int i = 3; fields >> field && i <= 15; ++i) {  // field 3 is the state
        if (i == 14 || i == 15) ticks += std::stoll(field);
    }
    return ticks;
}

// eqlink on a device path that leads to a pseudo-terminal which the test can
// pull out (the device hangs up and the path goes) and plug in again as a new
// one, as with a USB adapter.
class ReplugLink : public ::testing::Test {
  protected:
    void SetUp() override {
        plugIn();
        link = std::make_unique<ChildProcess>(
            EQLINK_PATH,
            std::vector<std::string>{"-d", device, "-p", scratch.path(), "-s", "w", "-T", "1"});
        ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }));
    }
    void TearDown() override {
        EXPECT_TRUE(link->running());
        link->stop();
        EXPECT_EQ(link->out() + link->err(), "");
    }
    void plugIn() {
        printer = std::make_unique<FakePrinterLine>();
        ASSERT_EQ(::symlink(printer->slavePath().c_str(), device.c_str()), 0);
    }
    void pullOut() {
        ::unlink(device.c_str());
        printer.reset();
    }
    void exchange(const std::string& reply) {
        ws.request("\x1b.05}\n");
        EXPECT_EQ(printer->receive(6), "\x1b.05}\n");
        printer->send(reply + "}");
        EXPECT_EQ(ws.response().value_or("(none)"), reply);
    }

    ScratchDir scratch;
    std::string device = scratch / "ttyUSB0";
    std::unique_ptr<FakePrinterLine> printer;
    std::unique_ptr<ChildProcess> link;
    Workstation ws{scratch / "w"};
};

TEST_F(ReplugLink, DeviceAwayFailsEachRequestQuietlyUntilItIsBack) {
    exchange("one");
    pullOut();
    // Closed at the hang-up, not at the next request.
    EXPECT_TRUE(waitFor([&] { return portOpenedBy(link->pid()).empty(); }, 1000ms));

    // Taken and deleted, nothing published: the window shows its timeout
    // reply. The link meanwhile sleeps, trying the device once a second.
    const long long ticks = processorTicks(link->pid());
    ws.request("\x1b.05}\n");
    EXPECT_TRUE(waitFor([&] { return !exists(ws / "eq.MSG"); }, 500ms));
    EXPECT_EQ(ws.response(1500ms), std::nullopt);
    EXPECT_LT(processorTicks(link->pid()) - ticks, ::sysconf(_SC_CLK_TCK) / 10);

    plugIn();
    ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }, 2500ms));
    EXPECT_EQ(portOpenedBy(link->pid()), printer->slavePath());
    exchange("two");
}

// A directory that holds a file, renamed to eq.MSG: it opens but cannot be
// read, and cannot be removed either, so every pass of the link meets it.
void plantStuckRequest(const Workstation& ws) {
    ASSERT_EQ(::mkdir((ws / "stuck").c_str(), 0755), 0);
    writeFile(ws / "stuck/inside", "x");
    ASSERT_EQ(::rename((ws / "stuck").c_str(), (ws / "eq.MSG").c_str()), 0);
}

TEST_F(ReplugLink, DeviceAwayWithARequestThatStaysTheLinkSleeps) {
    exchange("one");
    pullOut();
    ASSERT_TRUE(waitFor([&] { return portOpenedBy(link->pid()).empty(); }, 1000ms));
    plantStuckRequest(ws);
    std::this_thread::sleep_for(100ms);

    // Nothing to send to and nothing new to take: the loop sleeps. A generous
    // bound (10 % of a core), so that a loaded machine does not fail it.
    const auto start = Clock::now();
    const long long ticks = processorTicks(link->pid());
    std::this_thread::sleep_for(2s);
    const long long used = processorTicks(link->pid()) - ticks;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LT(static_cast<double>(used), 0.10 * seconds * ::sysconf(_SC_CLK_TCK))
        << used << " clock ticks in " << seconds << " s";
    EXPECT_TRUE(exists(ws / "eq.MSG"));
    ASSERT_TRUE(link->running());

    // A request that can be taken is still taken at once, not a second later,
    // and gets no reply.
    std::filesystem::remove_all(ws / "eq.MSG");
    ws.request("\x1b.05}\n");
    EXPECT_TRUE(waitFor([&] { return !exists(ws / "eq.MSG"); }, 500ms));
    EXPECT_EQ(ws.response(300ms), std::nullopt);

    // The device is still tried about once a second: found again while the
    // request that stays is still there, and nothing of it reaches the line.
    plantStuckRequest(ws);
    plugIn();
    ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }, 2500ms));
    EXPECT_EQ(portOpenedBy(link->pid()), printer->slavePath());
    EXPECT_EQ(printer->receive(1, 200ms), "");
    std::filesystem::remove_all(ws / "eq.MSG");
    exchange("two");
}

// The device away and the working directory's watch lost (the directory
// replaced by a file, then made again): with no watch left to wake it, the
// link looks for requests every millisecond, and does not sleep until its
// next try of the device, a second after the hang-up.
TEST_F(ReplugLink, DeviceAwayAndTheWatchLostARequestIsStillTakenAtOnce) {
    exchange("one");
    pullOut();
    ASSERT_TRUE(waitFor([&] { return portOpenedBy(link->pid()).empty(); }, 1000ms));
    std::filesystem::remove_all(scratch / "w");
    writeFile(scratch / "w", "");
    std::this_thread::sleep_for(50ms);
    std::filesystem::remove(scratch / "w");
    ASSERT_EQ(::mkdir((scratch / "w").c_str(), 0755), 0);
    ws.request("\x1b.05}\n");
    EXPECT_TRUE(waitFor([&] { return !exists(ws / "eq.MSG"); }, 300ms));

    plugIn();
    ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }, 2500ms));
    exchange("two");
}

TEST_F(ReplugLink, ReplyCutByAHangUpIsNotPublished) {
    struct Cut {
        std::string frame;
        std::vector<std::string> before;  // each answered by a continuation
        std::string last;
    };
    for (const Cut& cut :
         {Cut{"\x1b.05}\n", {}, "half a rep"}, Cut{"\x1b.13}\n", {"block one}"}, ".]"}}) {
        ws.request(cut.frame);
        EXPECT_EQ(printer->receive(6), cut.frame);
        for (const std::string& block : cut.before) {
            printer->send(block);
            EXPECT_EQ(printer->receive(6), kContinuation);
        }
        printer->send(cut.last);
        std::this_thread::sleep_for(50ms);
        pullOut();
        EXPECT_EQ(ws.response(1500ms), std::nullopt) << cut.frame.substr(1, 3);
        EXPECT_FALSE(exists(ws / "eqT.RSP"));
        plugIn();
        ASSERT_TRUE(waitFor([&] { return printer->setUpByLink(); }, 2500ms));
        exchange("whole");
    }
}

TEST(EqlinkWithSimulatedPrinter, CarriesOnOnceTheDeviceIsPluggedInAgain) {
    ScratchDir scratch;
    const std::string device = scratch / "ttyECF";
    ChildProcess sim(ECFSIM_PATH, {"--link", device, "--unpaced"});
    ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(device); }));
    ChildProcess link(EQLINK_PATH, {"-d", device, "-p", scratch.path(), "-s", "w", "-T", "1"});
    ASSERT_TRUE(waitFor([&] { return !portOpenedBy(link.pid()).empty(); }));
    Workstation ws{scratch / "w"};
    ws.request("\x1b.05}\n");
    EXPECT_EQ(ws.response().value_or("(none)"), ".+0500");

    ::kill(sim.pid(), SIGUSR1);  // pulled out
    EXPECT_TRUE(waitFor([&] { return portOpenedBy(link.pid()).empty(); }));
    ws.request("\x1b.05}\n");
    EXPECT_EQ(ws.response(1500ms), std::nullopt);
    EXPECT_FALSE(exists(ws / "eq.MSG"));

    ::kill(sim.pid(), SIGUSR2);  // plugged in: a new device at the same path
    EXPECT_TRUE(waitFor([&] { return !portOpenedBy(link.pid()).empty(); }, 2500ms));
    ws.request("\x1b.05}\n");
    EXPECT_EQ(ws.response().value_or("(none)"), ".+0500");
    EXPECT_TRUE(link.running());
    EXPECT_EQ(link.out() + link.err(), "");
}

class WaitingLink : public RunningLink {
  protected:
    void SetUp() override {}
};

TEST_F(WaitingLink, RequestAlreadyThereAtStartIsTaken) {
    ASSERT_EQ(::mkdir((scratch / "w").c_str(), 0755), 0);
    writeFile(ws / "eq.MSG", "\x1b.05}\n");
    start();
    EXPECT_EQ(printer.receive(6), "\x1b.05}\n");
    printer.send("early}");
    EXPECT_EQ(ws.response().value_or("(none)"), "early");
}

TEST_F(WaitingLink, ForcedPollStillServes) {
    start({"EQLINK_FORCE_POLL=1"});
    exchange("\x1b.05}\n", "a}", "a");
    exchange("\x1b.05}\n", "b}", "b");
}

}  // namespace
