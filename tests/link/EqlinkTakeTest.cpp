// How eqlink takes a request: the real program against ecfsim, whose log of
// the frames it received tells what reached the printer.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LinkTestSupport.h"

namespace {

using namespace std::chrono_literals;
using testsupport::ChildProcess;
using eqlink_test::exists;
using eqlink_test::readFile;
using eqlink_test::ScratchDir;
using eqlink_test::waitFor;
using eqlink_test::Workstation;
using eqlink_test::writeFile;

std::string frame(const std::string& code) {
    return "\x1b." + code + "}\n";
}
// How ecfsim logs that frame, and answers it.
std::string logged(const std::string& code) {
    return "\\x1B." + code + "}";
}
std::string reply(const std::string& code) {
    return ".+" + code + "00";
}

class LinkToLoggingPrinter : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir((scratch / "sim").c_str(), 0755), 0);
        sim = std::make_unique<ChildProcess>(
            ECFSIM_PATH,
            std::vector<std::string>{"--link", device, "--unpaced", "--log", scratch / "frames"});
        ASSERT_TRUE(waitFor([&] { return std::filesystem::is_symlink(device); }));
    }
    void startLink(const std::vector<std::string>& env = {}) {
        link = std::make_unique<ChildProcess>(
            EQLINK_PATH,
            std::vector<std::string>{"-d", device, "-p", scratch.path(), "-s", "w", "-T", "1"},
            env);
        ASSERT_TRUE(waitFor([&] { return exists(scratch / "w"); }));
    }
    void TearDown() override {
        if (!link) return;
        EXPECT_TRUE(link->running());
        link->stop();
        EXPECT_EQ(link->out() + link->err(), "");
    }

    // Every frame the printer received so far, in order.
    std::vector<std::string> frames() const {
        std::istringstream lines(readFile(scratch / "frames").value_or(""));
        std::vector<std::string> got;
        for (std::string line; std::getline(lines, line);) got.push_back(line);
        return got;
    }
    bool published(const std::string& expected) const {
        return readFile(ws / "eq.RSP").value_or("") == expected;
    }

    ScratchDir scratch;
    std::string device = scratch / "ttyECF";
    std::unique_ptr<ChildProcess> sim;
    std::unique_ptr<ChildProcess> link;
    Workstation ws{scratch / "w"};
};

TEST_F(LinkToLoggingPrinter, RequestPutInPlaceWhileTheLinkReadsIsSentNext) {
    const std::string mark = scratch / "reading";
    std::vector<std::string> env = {"LD_PRELOAD=" SLOW_READ_SHIM_PATH,
                                    "SLOW_READ_DIR=" + scratch / "w", "SLOW_READ_MS=400",
                                    "SLOW_READ_MARK=" + mark};
#ifdef EQLINK_SANITIZE
    env.push_back("ASAN_OPTIONS=verify_asan_link_order=0");  // the shim comes first
#endif
    startLink(env);
    struct Round {
        std::string first, next;
    };
    std::vector<std::string> expected;
    for (const Round& round : {Round{"05", "22"}, Round{"22", "05"}, Round{"05", "05"}}) {
        ::unlink(mark.c_str());  // the next read of a request is slowed
        ws.request(frame(round.first));
        ASSERT_TRUE(waitFor([&] { return exists(mark); }, 3000ms)) << round.first;
        // The window's next command replacing one it has given up on.
        ws.request(frame(round.next));
        expected.push_back(logged(round.first));
        expected.push_back(logged(round.next));
        EXPECT_TRUE(waitFor([&] { return frames().size() == expected.size(); }, 3000ms))
            << round.first << " then " << round.next;
        EXPECT_TRUE(waitFor([&] { return published(reply(round.next)); }, 3000ms));
    }
    EXPECT_EQ(frames(), expected);
    EXPECT_FALSE(exists(ws / "eq.MSG"));
    EXPECT_FALSE(exists(ws / "eqL.MSG"));
}

TEST_F(LinkToLoggingPrinter, RequestLeftUnderTheLinksOwnNameIsRemovedUnsentAtStartUp) {
    ASSERT_EQ(::mkdir((scratch / "w").c_str(), 0755), 0);
    const std::string left = ws / "eqL.MSG";
    struct Leftover {
        const char* kind;
        int (*make)(const std::string& source, const std::string& at);
    };
    const std::vector<Leftover> leftovers = {
        {"regular file",
         [](const std::string& source, const std::string& at) {
             return ::rename(source.c_str(), at.c_str());
         }},
        {"symbolic link",
         [](const std::string& source, const std::string& at) {
             return ::symlink(source.c_str(), at.c_str());
         }},
        {"empty directory",
         [](const std::string&, const std::string& at) { return ::mkdir(at.c_str(), 0755); }},
    };
    std::vector<std::string> expected;
    for (const Leftover& leftover : leftovers) {
        writeFile(scratch / "source", frame("05"));
        ASSERT_EQ(leftover.make(scratch / "source", left), 0) << leftover.kind;
        writeFile(ws / "eq.MSG", frame("22"));  // there before the link starts
        startLink();
        EXPECT_EQ(ws.response().value_or("(none)"), reply("22")) << leftover.kind;
        EXPECT_FALSE(exists(left)) << leftover.kind;
        expected.push_back(logged("22"));
        EXPECT_EQ(frames(), expected) << leftover.kind;
        TearDown();
        link.reset();
    }
}

}  // namespace
