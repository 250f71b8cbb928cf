// Runs the real ecfsim binary on a pseudo-terminal and talks to it as the link program does.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "SimHarness.h"

namespace simtest {
namespace {

using namespace std::chrono_literals;

std::string fileText(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

class EcfsimRun : public testing::Test {
  protected:
    // (Re)starts ecfsim with `extra` options and opens its device.
    void start(std::vector<std::string> extra = {}, bool unpaced = true) {
        stop();
        extra.insert(extra.end(), {"--link", devicePath()});
        if (unpaced) extra.push_back("--unpaced");
        sim_ = std::make_unique<SimProcess>(extra);
        ASSERT_EQ(sim_->readyLine(), devicePath());
        client_ = std::make_unique<LinkClient>(devicePath());
    }

    void stop() {
        client_.reset();
        if (!sim_) return;
        EXPECT_EQ(sim_->stop(), 0);
        sim_.reset();
        struct stat info {};
        EXPECT_NE(lstat(devicePath().c_str(), &info), 0) << "link left behind";
    }

    void TearDown() override { stop(); }

    // A request that is answered: the first byte may take a while on a loaded
    // machine, the rest follows without a pause.
    std::string ask(std::string_view request, Millis quiet = 150ms) {
        client_->send(request);
        return client_->readUntilQuiet(quiet, 3000ms);
    }

    // A request that must go unanswered: whatever arrives within `quiet`.
    std::string askUnanswered(std::string_view request, Millis quiet = 300ms) {
        client_->send(request);
        return client_->readUntilQuiet(quiet);
    }

    std::string devicePath() const { return dir_.path("ttyECF").string(); }
    std::string logPath() const { return dir_.path("frames.log").string(); }

    TempDir dir_;
    std::unique_ptr<SimProcess> sim_;
    std::unique_ptr<LinkClient> client_;
};

TEST_F(EcfsimRun, AnswersOrdinaryCommandsAndKeepsServingAfterReopen) {
    start();
    EXPECT_EQ(ask("\x1B.05}\n"), ".+0500}");
    client_ = std::make_unique<LinkClient>(devicePath());
    EXPECT_EQ(ask("\x1B.0112345}\n"), ".+0100}");
}

TEST_F(EcfsimRun, SendsEachReportBlockOnlyAfterAContinuation) {
    start();
    EXPECT_EQ(ask("\x1B.13}\n"), "RELATORIO 13 BLOCO 1}");
    for (const char* next : {"RELATORIO 13 BLOCO 2}", "RELATORIO 13 BLOCO 3}", ".]}", "\n"})
        EXPECT_EQ(ask(kContinuation), next);
    EXPECT_EQ(askUnanswered(kContinuation), "");
}

TEST_F(EcfsimRun, TrailerLetsTheLinkEndEveryReportAtOnce) {
    start();
    for (const std::string code : {"13", "15", "16", "18"}) {
        const auto reply = client_->exchange("\x1B." + code + "}", true, 2000ms);
        EXPECT_FALSE(reply.endedByTimeLimit);
        const std::string block = "RELATORIO " + code + " BLOCO ";
        EXPECT_EQ(reply.kept, block + "1}" + block + "2}" + block + "3}.]}");
    }
    EXPECT_EQ(client_->exchange("\x1B.05}", false, 1000ms).kept, ".+0500");

    start({"--no-trailer"});
    const auto reply = client_->exchange("\x1B.15}", true, 300ms);
    EXPECT_TRUE(reply.endedByTimeLimit);
    EXPECT_TRUE(reply.kept.ends_with("BLOCO 3}.]}")) << reply.kept;
}

TEST_F(EcfsimRun, AnswersMalformedAndUnknownFramesWithErrors) {
    start();
    for (const char* bad : {"\x1B"
                            "05}\n",
                            "\x1B.5}\n", "junk\x1B.05}\n", "junk\n"})
        EXPECT_EQ(ask(bad), ".-P002}") << bad;
    for (const char* unknown : {"\x1B.32}\n", "\x1B.00}\n", "\x1B.55}\n", "\x1B.99}\n"})
        EXPECT_EQ(ask(unknown), ".-P003}") << unknown;
}

TEST_F(EcfsimRun, HandlesSplitIncompleteAndArbitraryInput) {
    start();
    client_->send("\x1B.0");
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ask("5}\n"), ".+0500}");
    // Never finished: answered once the line has been quiet for a while.
    EXPECT_EQ(ask("\x1B.05", 800ms), ".-P002}");

    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    ask(all + all, 800ms);
    EXPECT_EQ(ask("\x1B.05}\n"), ".+0500}");
}

TEST_F(EcfsimRun, IgnoresStrayContinuationsAndDropsAnAbandonedReport) {
    start();
    EXPECT_EQ(askUnanswered(kContinuation), "");
    EXPECT_EQ(ask("\x1B.16}\n"), "RELATORIO 16 BLOCO 1}");
    EXPECT_EQ(ask("\x1B.05}\n"), ".+0500}");
    EXPECT_EQ(askUnanswered(kContinuation), "");
}

TEST_F(EcfsimRun, InjectsTheChosenFault) {
    start({"--fault", "no-brace"});
    EXPECT_EQ(ask("\x1B.05}\n"), ".+0500");
    start({"--fault", "garbage"});
    EXPECT_EQ(ask("\x1B.05}\n"), std::string("\x00\xFF\x1B\x7F#.+0500}", 12));
    start({"--fault", "stall"});
    EXPECT_EQ(ask("\x1B.13}\n"), "RELATORIO ");
    EXPECT_EQ(askUnanswered(kContinuation), "");
}

TEST_F(EcfsimRun, LogsEachRequestEscapedOnALineOfItsOwn) {
    start({"--log", logPath()});
    ask("\x1B.09a\\b\xE7}\n");
    ask("\x1B.13}\n");
    askUnanswered(kContinuation);  // continuations are not logged
    ask("x\x1B.05}\n");
    EXPECT_EQ(fileText(logPath()), "\\x1B.09a\\\\b\\xE7}\n\\x1B.13}\nx\\x1B.05}\n");

    start({"--silent", "--log", logPath()});
    EXPECT_EQ(askUnanswered("\x1B.05}\n"), "");
    EXPECT_EQ(fileText(logPath()), "\\x1B.05}\n");
}

TEST_F(EcfsimRun, PacesRepliesAtTheChosenBaudRate) {
    start({"--baud", "1200"}, false);
    const auto began = std::chrono::steady_clock::now();
    EXPECT_EQ(ask("\x1B.13}\n"), "RELATORIO 13 BLOCO 1}");
    // 21 bytes at 120 bytes per second, less the quiet wait itself.
    EXPECT_GE(std::chrono::steady_clock::now() - began, 150ms + 150ms);
}

bool waitFor(const std::function<bool()>& condition, Millis limit = 2000ms) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

TEST_F(EcfsimRun, PullsTheLineOutAndPlugsANewOneInOnSignals) {
    start();
    EXPECT_EQ(ask("\x1B.05}\n"), ".+0500}");
    const auto firstDevice = std::filesystem::read_symlink(devicePath());

    sim_->signal(SIGUSR1);
    EXPECT_TRUE(client_->hungUp(2000ms));
    EXPECT_TRUE(waitFor([&] { return !std::filesystem::is_symlink(devicePath()); }));
    sim_->signal(SIGUSR1);  // already out: nothing more happens

    sim_->signal(SIGUSR2);
    ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(devicePath()); }));
    EXPECT_NE(std::filesystem::read_symlink(devicePath()), firstDevice);
    // A new device, answering as a printer just switched on.
    client_ = std::make_unique<LinkClient>(devicePath());
    EXPECT_EQ(ask("\x1B.13}\n"), "RELATORIO 13 BLOCO 1}");
    sim_->signal(SIGUSR2);  // already in: the same line stays
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(ask(kContinuation), "RELATORIO 13 BLOCO 2}");

    // Stopped while out, it still ends cleanly.
    sim_->signal(SIGUSR1);
    EXPECT_TRUE(client_->hungUp(2000ms));
    client_.reset();
    EXPECT_EQ(sim_->stop(), 0);
    sim_.reset();
}

TEST_F(EcfsimRun, AnswersRecordedRequestsAsRecordedAndOthersFromTheTable) {
    std::ofstream(dir_.path("r.scn")) << "# recorded at the counter\n"
                                         "05\tA1\n"
                                         "05\tA2\\x20\n"
                                         "0112345\t.-P006}\n"
                                         "13\tRELAT 1}RELAT 2}.]}\n"
                                         "09\n";
    start({"--replies", dir_.path("r.scn").string()});
    EXPECT_EQ(ask("\x1B.05}\n"), "A1}");
    for (int repeat = 0; repeat < 2; ++repeat) EXPECT_EQ(ask("\x1B.05}\n"), "A2 }");
    EXPECT_EQ(askUnanswered("\x1B.0112345}\n"), "");
    EXPECT_EQ(ask("\x1B.0112346}\n"), ".+0100}");
    EXPECT_EQ(ask("\x1B.09}\n"), ".+0900}");
    EXPECT_EQ(ask("\x1B.13}\n"), "RELAT 1}");
    for (const char* next : {"RELAT 2}", ".]}", "\n"}) EXPECT_EQ(ask(kContinuation), next);
}

TEST(EcfsimStart, AnUnusableRepliesFileStopsItBeforeTheLinkIsMade) {
    TempDir dir;
    const std::string link = dir.path("dev").string();
    const std::string replies = dir.path("r.scn").string();
    std::ofstream(replies) << "05\t.+0500\n\n13\tA\tB\n";
    std::string errors;
    EXPECT_EQ(runToExit({"--link", link, "--replies", replies}, &errors), 2);
    EXPECT_EQ(errors, "ecfsim: " + replies + ":3: more than one TAB\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));

    errors.clear();
    const std::string missing = dir.path("none.scn").string();
    EXPECT_EQ(runToExit({"--link", link, "--replies", missing}, &errors), 2);
    EXPECT_EQ(errors, "ecfsim: " + missing + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(EcfsimStart, ReplacesAnOldLinkButNeverARegularFile) {
    TempDir dir;
    const std::string link = dir.path("dev").string();
    ASSERT_EQ(symlink("/nonexistent", link.c_str()), 0);
    SimProcess sim({"--link", link, "--unpaced"});
    EXPECT_EQ(sim.readyLine(), link);
    EXPECT_TRUE(std::filesystem::is_character_file(link));
    EXPECT_EQ(sim.stop(), 0);

    std::ofstream(link) << "keep";
    EXPECT_EQ(runToExit({"--link", link}), 1);
    EXPECT_EQ(fileText(link), "keep");
    EXPECT_EQ(runToExit({"--fault", "smoke"}), 2);
}

}  // namespace
}  // namespace simtest
