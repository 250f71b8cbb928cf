// The one write-aside-and-rename under the exchange's request and the file
// writer: what is left on each way out.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/Exchange.h"
#include "core/ExchangeFiles.h"
#include "core/PosixFile.h"

namespace cuponex {
namespace {

namespace fs = std::filesystem;

class WriteAside : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "aside-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string content(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string dir_;
};

TEST_F(WriteAside, EachWayOutLeavesNoDraftAndSaysWhichStepFailed) {
    struct Case {
        const char* what;
        bool readOnly;      // the draft open for reading only: the write fails
        bool targetIsFull;  // a directory with a file in it at the target: the rename fails
        AsideFailure failure;
        int error;
    };
    const Case cases[] = {
        {"written", false, false, AsideFailure::None, 0},
        {"write fails", true, false, AsideFailure::Write, EBADF},
        {"rename fails", false, true, AsideFailure::Rename, EISDIR},
    };
    for (const Case& c : cases) {
        for (const bool durable : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (durable ? ", flushed" : ""));
            const std::string draft = dir_ + "draft";
            const std::string target = dir_ + "target";
            fs::remove_all(target);
            if (c.targetIsFull) {
                fs::create_directories(target);
                std::ofstream(target + "/inside") << "keep";
            }
            std::ofstream(draft).flush();
            const int fd = ::open(draft.c_str(), c.readOnly ? O_RDONLY : O_WRONLY);
            ASSERT_GE(fd, 0);
            errno = 0;
            EXPECT_EQ(writeAsideAndRename(fd, draft, target, "05\n", durable), c.failure);
            if (c.failure != AsideFailure::None) EXPECT_EQ(errno, c.error);
            EXPECT_FALSE(fs::exists(draft));
            if (c.failure == AsideFailure::None) EXPECT_EQ(content(target), "05\n");
            if (c.targetIsFull) EXPECT_EQ(content(target + "/inside"), "keep");
        }
    }
}

// A request that cannot take its place is raised naming the request, and its
// draft does not stay behind to be taken for a later one.
TEST_F(WriteAside, ARequestThatCannotTakeItsPlaceNamesItAndLeavesNoDraft) {
    fs::create_directories(dir_ + "eq.MSG/inside");
    try {
        writeRequest(dir_ + "eqW.MSG", dir_ + "eq.MSG", "\x1b.05}");
        FAIL() << "no error";
    } catch (const ExchangeError& error) {
        EXPECT_NE(std::string(error.what()).find(dir_ + "eq.MSG"), std::string::npos)
            << error.what();
        EXPECT_EQ(std::string(error.what()).find("eqW.MSG"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(fs::exists(dir_ + "eqW.MSG"));
}

}  // namespace
}  // namespace cuponex
