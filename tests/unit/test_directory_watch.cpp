// The watch on the working directory: changes in their order, and the watch
// given up whenever events may have been lost, so that the wait looks instead.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/DirectoryWatch.h"

namespace cuponex {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The kernel's limit of a watch's queue; more changes than that overflow it.
long queueLimit() {
    long limit = 16384;
    std::ifstream("/proc/sys/fs/inotify/max_queued_events") >> limit;
    return limit;
}

class DirectoryWatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "watch-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directory(dir_);
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_;
    fs::path dir_ = root_ / "w";
};

TEST_F(DirectoryWatchTest, ChangesComeInTheirOrder) {
    DirectoryWatch watch(dir_.string() + "/");
    ASSERT_TRUE(watch.works());
    std::ofstream(dir_ / "eqW.MSG") << "x";
    fs::rename(dir_ / "eqW.MSG", dir_ / "eq.MSG");
    fs::remove(dir_ / "eq.MSG");
    std::vector<std::pair<std::string, DirectoryWatch::Change>> seen;
    for (const auto& event : watch.wait(1s)) seen.emplace_back(event.name, event.change);
    using enum DirectoryWatch::Change;
    const std::vector<std::pair<std::string, DirectoryWatch::Change>> expected = {
        {"eqW.MSG", Arrived}, {"eqW.MSG", Arrived}, {"eqW.MSG", Left},
        {"eq.MSG", Arrived},  {"eq.MSG", Left},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(watch.works());
}

// Once the order can no longer be told the watch stops working, whatever
// events it did read.
TEST_F(DirectoryWatchTest, LostEventsEndTheWatch) {
    const std::vector<std::pair<const char*, std::function<void()>>> losses = {
        {"the queue overflowed",
         [&] {
             std::ofstream(dir_ / "a") << "";
             for (long i = 0; i < queueLimit() / 2 + 16; ++i) {  // two changes a rename
                 fs::rename(dir_ / (i % 2 ? "b" : "a"), dir_ / (i % 2 ? "a" : "b"));
             }
         }},
        {"the directory removed", [&] { fs::remove_all(dir_); }},
        {"the directory moved", [&] { fs::rename(dir_, root_ / "elsewhere"); }},
    };
    for (const auto& [loss, cause] : losses) {
        fs::remove_all(root_ / "elsewhere");
        fs::create_directories(dir_);
        DirectoryWatch watch(dir_.string() + "/");
        ASSERT_TRUE(watch.works()) << loss;
        cause();
        watch.wait(1s);
        EXPECT_FALSE(watch.works()) << loss;
        EXPECT_TRUE(watch.wait(10ms).empty()) << loss;
    }
}

}  // namespace
}  // namespace cuponex
