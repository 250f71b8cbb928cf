// The exchange through the working directory, against a stand-in link program
// on a thread of its own, both with the directory watched and with looks.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include "FileCallHooks.h"
#include "core/Exchange.h"

namespace cuponex {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The link program's publication: eqT.RSP written, then renamed to eq.RSP.
void publish(const std::string& dir, const std::string& text) {
    std::ofstream(dir + "eqT.RSP", std::ios::binary) << text;
    fs::rename(dir + "eqT.RSP", dir + "eq.RSP");
}

bool waitFor(const std::string& path, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (::access(path.c_str(), F_OK) != 0) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(50us);
    }
    return true;
}

class ExchangeTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/exchange-test.XXXXXX";
        dir_ = std::string(::mkdtemp(pattern)) + "/";
        exchange_.setWatchDirectory(GetParam());
    }
    void TearDown() override {
        if (link_.joinable()) link_.join();
        fs::remove_all(dir_);
    }
    // Takes the next request (removes eq.MSG) and calls `answer` with it.
    void link(std::function<void(const std::string& request)> answer) {
        link_ = std::thread([this, answer = std::move(answer)] {
            const std::string request = dir_ + "eq.MSG";
            if (!waitFor(request, 3s)) return;
            const std::string bytes = readAll(request);
            ::unlink(request.c_str());
            answer(bytes);
        });
    }
    std::string run(const std::string& text) { return exchange_.run(dir_, Exchange::frame(text)); }

    std::string dir_;
    Exchange exchange_;
    std::thread link_;
};

TEST_P(ExchangeTest, ReplyFirstLineIsReturnedAndRemoved) {
    std::string seen;
    link([&](const std::string& request) {
        seen = request;
        publish(dir_, "A\rB\r\nsecond\n");
    });
    EXPECT_EQ(run("05"), "AB");
    link_.join();
    EXPECT_EQ(seen, "\x1b.05}\n");
    EXPECT_FALSE(exchange_.timedOut());
    EXPECT_FALSE(fs::exists(dir_ + "eq.RSP"));
}

TEST_P(ExchangeTest, NoReplyInTimeGivesTheTimeoutReplyAndLeavesTheRequest) {
    exchange_.setLimit(150ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run("05"), Exchange::kTimeoutReply);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
    EXPECT_TRUE(exchange_.timedOut());
    EXPECT_EQ(readAll(dir_ + "eq.MSG"), "\x1b.05}\n");
}

// Anything in the reply's place that is not a regular file with one name is
// removed unread and raised as an error, without waiting out the limit.
TEST_P(ExchangeTest, OddRepliesAreRemovedAndRaised) {
    const std::string victim = dir_ + "victim";
    std::ofstream(victim) << "SECRET";
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> odds = {
        {"symbolic link", [&](const std::string& at) { fs::create_symlink(victim, at); }},
        {"second name", [&](const std::string& at) { fs::create_hard_link(victim, at); }},
        {"named pipe", [](const std::string& at) { ::mkfifo(at.c_str(), 0666); }},
        {"directory", [](const std::string& at) { fs::create_directory(at); }},
    };
    for (const auto& [kind, make] : odds) {
        link([&, make = make](const std::string&) { make(dir_ + "eq.RSP"); });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(run("05"), ExchangeError) << kind;
        link_.join();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << kind;
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ + "eq.RSP"))) << kind;
    }
    EXPECT_EQ(readAll(victim), "SECRET");
}

TEST_P(ExchangeTest, OldReplyThatCannotBeRemovedIsAnErrorAndNothingIsSent) {
    fs::create_directories(dir_ + "eq.RSP/inside");
    EXPECT_THROW(run("05"), ExchangeError);
    EXPECT_FALSE(fs::exists(dir_ + "eq.MSG"));
    EXPECT_FALSE(fs::exists(dir_ + "eqW.MSG"));
}

TEST_P(ExchangeTest, RequestThatCannotBeWrittenIsAnErrorNamingTheFile) {
    try {
        exchange_.run(dir_ + "missing/", Exchange::frame("05"));
        FAIL() << "no error";
    } catch (const ExchangeError& error) {
        EXPECT_NE(std::string(error.what()).find("missing/eqW.MSG"), std::string::npos);
    }
}

// A reply published before the link took this request answers an earlier
// one (the window gave up on it) and is never read as this one's. Many times
// in a row, beside a busy thread; watched, however close the two publications
// fall; looked, once they are far enough apart for looks to see it.
TEST_P(ExchangeTest, LateReplyOfAnEarlierRequestIsNeverTakenForThisOne) {
    std::atomic<bool> busy = true;
    std::thread load([&] {
        while (busy) std::this_thread::yield();
    });
    std::mt19937 random(7);
    const int rounds = GetParam() ? 300 : 30;
    for (int i = 0; i < rounds; ++i) {
        const auto gap = std::chrono::microseconds(GetParam() ? random() % 400 : 50000);
        link_ = std::thread([&, gap] {
            const std::string request = dir_ + "eq.MSG";
            if (!waitFor(request, 3s)) return;
            publish(dir_, "EARLIER");
            std::this_thread::sleep_for(gap);
            ::unlink(request.c_str());
            std::this_thread::sleep_for(gap);
            publish(dir_, "THIS");
        });
        const std::string got = run("05");
        link_.join();
        ASSERT_EQ(got, "THIS") << "round " << i;
    }
    busy = false;
    load.join();
}

// The moments at which the order is easiest to get wrong, each made exact by
// doing the link's step inside the window's own call: a reply counts only
// once this request has been taken.
TEST_P(ExchangeTest, ReplyCountsOnlyOnceThisRequestIsTaken) {
    using filehooks::Moment;
    const std::string request = dir_ + "eq.MSG";
    const std::string reply = dir_ + "eq.RSP";
    const auto takeAndAnswer = [&] {
        ::unlink(request.c_str());
        publish(dir_, "THIS");
    };
    struct Case {
        const char* moment;
        bool alsoWatched;  // the last one exists only between two looks
        std::function<void()> arrange;
    };
    const std::vector<Case> cases = {
        {"an earlier request taken and answered just before this one arrives", true,
         [&] {
             std::ofstream(request) << "\x1b.42}\n";
             filehooks::at(Moment::BeforeRenameOnto, request, [&] {
                 ::unlink(request.c_str());
                 publish(dir_, "EARLIER");
                 link_ = std::thread([&] {
                     if (!waitFor(request, 3s)) return;
                     std::this_thread::sleep_for(100ms);
                     takeAndAnswer();
                 });
             });
         }},
        {"taken and answered before the window notes its write", true,
         [&] { filehooks::at(Moment::AfterRenameOnto, request, takeAndAnswer); }},
        {"taken and answered between the look at the request and the one at the reply", false,
         [&] {
             filehooks::at(Moment::AfterRenameOnto, request,
                           [&] { filehooks::at(Moment::BeforeLookAt, reply, takeAndAnswer); });
         }},
    };
    exchange_.setLimit(1s);
    for (const Case& c : cases) {
        if (GetParam() && !c.alsoWatched) continue;
        c.arrange();
        EXPECT_EQ(run("05"), "THIS") << c.moment;
        if (link_.joinable()) link_.join();
        filehooks::clear();
        fs::remove(request);
        fs::remove(reply);
    }
}

// A reply that came before the take and that nothing replaced goes when the
// wait ends; the next exchange must not find it.
TEST_P(ExchangeTest, TimeoutRemovesAReplyPublishedBeforeTheTake) {
    exchange_.setLimit(200ms);
    link_ = std::thread([this] {
        if (waitFor(dir_ + "eq.MSG", 3s)) publish(dir_, "EARLIER");
    });
    EXPECT_EQ(run("05"), Exchange::kTimeoutReply);
    EXPECT_TRUE(exchange_.timedOut());
    EXPECT_FALSE(fs::exists(dir_ + "eq.RSP"));
}

// A link that takes the request and publishes at once, between two looks,
// is answered every time.
TEST_P(ExchangeTest, FastLinkIsNeverMissed) {
    exchange_.setLimit(2s);
    for (int i = 0; i < 300; ++i) {
        link([&](const std::string&) { publish(dir_, "OK"); });
        const std::string got = run("05");
        link_.join();
        ASSERT_EQ(got, "OK") << "round " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Waits, ExchangeTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Watched" : "Looked"; });

}  // namespace
}  // namespace cuponex
