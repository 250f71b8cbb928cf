// The exchange through the working directory, against a stand-in link program
// on a thread of its own, both with the directory watched and with looks.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
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

// A request no link took is withdrawn when the wait ends: a link started or
// released later never sends it. One a link took stays taken; one replaced
// by a newer request (from a program that does not lock the directory) is no
// longer ours to withdraw, and the newer one is left in place.
TEST_P(ExchangeTest, WaitWithoutReplyWithdrawsOnlyOurRequestStillInPlace) {
    struct Case {
        const char* name;
        std::function<void(const std::string& dir)> meanwhile;  // once eq.MSG is there
        Exchange::Outcome outcome;
        std::optional<std::string> left;  // eq.MSG afterwards
    };
    const std::vector<Case> cases = {
        {"nobody", [](const std::string&) {}, Exchange::Outcome::NotTaken, std::nullopt},
        {"taken", [](const std::string& dir) { fs::rename(dir + "eq.MSG", dir + "eqL.MSG"); },
         Exchange::Outcome::TimedOut, std::nullopt},
        {"replaced",
         [](const std::string& dir) {
             std::ofstream(dir + "other", std::ios::binary) << "NEWER\n";
             fs::rename(dir + "other", dir + "eq.MSG");
         },
         Exchange::Outcome::TimedOut, "NEWER\n"},
    };
    exchange_.setLimit(150ms);
    for (const Case& c : cases) {
        link_ = std::thread([&] {
            if (waitFor(dir_ + "eq.MSG", 3s)) c.meanwhile(dir_);
        });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(run("05"), Exchange::kTimeoutReply) << c.name;
        EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms) << c.name;
        link_.join();
        EXPECT_TRUE(exchange_.timedOut()) << c.name;
        EXPECT_EQ(exchange_.outcome(), c.outcome) << c.name;
        if (c.left) {
            EXPECT_EQ(readAll(dir_ + "eq.MSG"), *c.left) << c.name;
        } else {
            EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ + "eq.MSG"))) << c.name;
        }
        EXPECT_FALSE(fs::exists(dir_ + "eqX.MSG")) << c.name;  // the withdrawal leaves nothing
        fs::remove(dir_ + "eq.MSG");
        fs::remove(dir_ + "eqL.MSG");
    }
}

// The link's take (a rename of eq.MSG to its own name) and the window's
// withdrawal racing at the deadline, many times in a row beside a busy
// thread: each request is either taken exactly once or withdrawn, never
// both, never neither.
TEST_P(ExchangeTest, TakeAndWithdrawalRacingNeverBothWinNorBothFail) {
    std::atomic<bool> busy = true;
    std::thread load([&] {
        while (busy) std::this_thread::yield();
    });
    constexpr auto kLimit = 20ms;
    exchange_.setLimit(kLimit);
    std::mt19937 random(11);
    int taken = 0, withdrawn = 0;
    for (int i = 0; i < 200; ++i) {
        const auto delay = 10ms + std::chrono::microseconds(random() % 20000);
        std::string took;
        link_ = std::thread([&] {
            const auto seen = std::chrono::steady_clock::now();
            if (!waitFor(dir_ + "eq.MSG", 3s)) return;
            std::this_thread::sleep_until(seen + delay);
            if (::rename((dir_ + "eq.MSG").c_str(), (dir_ + "eqL.MSG").c_str()) == 0) {
                took = readAll(dir_ + "eqL.MSG");
                ::unlink((dir_ + "eqL.MSG").c_str());
            }
        });
        const std::string text = "05" + std::to_string(i);
        ASSERT_EQ(run(text), Exchange::kTimeoutReply);
        link_.join();
        const bool withdrawnNow = exchange_.outcome() == Exchange::Outcome::NotTaken;
        ASSERT_NE(took.empty(), !withdrawnNow) << "round " << i << ": both or neither";
        if (!took.empty()) {
            ASSERT_EQ(took, Exchange::frame(text) + "\n") << "round " << i;
        }
        ASSERT_FALSE(fs::exists(dir_ + "eq.MSG")) << "round " << i;
        ASSERT_FALSE(fs::exists(dir_ + "eqX.MSG")) << "round " << i;
        ++(withdrawnNow ? withdrawn : taken);
    }
    busy = false;
    load.join();
    EXPECT_GT(taken, 0);
    EXPECT_GT(withdrawn, 0);
}

// The directory is locked for the whole exchange. Held by another client for
// the whole limit, it is an error naming the directory (in ISO-8859-1) and
// nothing is touched; freed within the limit, the exchange goes on.
TEST_P(ExchangeTest, DirectoryLockedByAnotherClientIsWaitedForWithinTheLimit) {
    const std::string dir = dir_ + "diret\xC3\xB3rio/";  // UTF-8, as the file system has it
    fs::create_directory(dir);
    std::ofstream(dir + "eq.RSP") << "OLD";
    const int other = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    exchange_.setLimit(200ms);
    const auto start = std::chrono::steady_clock::now();
    try {
        exchange_.run(dir, Exchange::frame("05"));
        ADD_FAILURE() << "no error";
    } catch (const ExchangeError& error) {
        EXPECT_EQ(error.kind(), ExchangeError::Kind::DirectoryBusy);
        EXPECT_EQ(error.directory(), dir);
        EXPECT_EQ(std::string(error.what()),
                  "O diret\xF3rio " + dir_ + "diret\xF3rio/ est\xE1 em uso por outro programa.");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_EQ(readAll(dir + "eq.RSP"), "OLD");
    EXPECT_FALSE(fs::exists(dir + "eq.MSG"));

    exchange_.setLimit(3s);
    std::thread release([&] {
        std::this_thread::sleep_for(300ms);
        ::close(other);
    });
    link_ = std::thread([&] {
        if (!waitFor(dir + "eq.MSG", 3s)) return;
        // Ours while it waits for the reply: another client cannot lock it.
        const int probe = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        const bool locked = ::flock(probe, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(probe);
        ::unlink((dir + "eq.MSG").c_str());
        publish(dir, locked ? "LOCKED" : "UNLOCKED");
    });
    EXPECT_EQ(exchange_.run(dir, Exchange::frame("05")), "LOCKED");
    release.join();
    const int after = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(::flock(after, LOCK_EX | LOCK_NB), 0);  // given back
    ::close(after);
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
