#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/Exchange.h"
#include "core/ExchangeFiles.h"
#include "core/PosixFile.h"
#include "core/SafeFile.h"

namespace cuponex {
namespace {

namespace fs = std::filesystem;

class SafeFile : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "safe-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string content(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir_))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    // The message of the FileWriteError thrown, or "(written)".
    static std::string failure(const std::string& file, std::string_view bytes) {
        try {
            writeFileWhole(file, bytes);
        } catch (const FileWriteError& error) {
            return error.what();
        }
        return "(written)";
    }

    fs::path dir_;
};

TEST_F(SafeFile, WritesANewFileAndReplacesAnOldOneKeepingItsMode) {
    const std::string bytes("a\0b\xFF\n", 5);
    writeFileWhole(path("s.scn"), bytes);
    EXPECT_EQ(content(path("s.scn")), bytes);

    ASSERT_EQ(::chmod(path("s.scn").c_str(), 0640), 0);
    writeFileWhole(path("s.scn"), "");
    EXPECT_EQ(content(path("s.scn")), "");
    struct stat info {};
    ASSERT_EQ(::stat(path("s.scn").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(names(), std::vector<std::string>{"s.scn"});
}

TEST_F(SafeFile, ReplacesALinkPlantedAtThePathNotTheFileItPointsAt) {
    std::ofstream(path("other")) << "keep";
    ASSERT_EQ(::symlink(path("other").c_str(), path("s.scn").c_str()), 0);
    writeFileWhole(path("s.scn"), "new");
    EXPECT_EQ(content(path("other")), "keep");
    EXPECT_FALSE(fs::is_symlink(path("s.scn")));
    EXPECT_EQ(content(path("s.scn")), "new");
}

// A write that the system stops after `limit` bytes, as a full disk would.
class SizeLimit {
  public:
    explicit SizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~SizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    sighandler_t oldHandler_;
};

TEST_F(SafeFile, AFailurePartWayThroughLeavesTheOldFileAsItWas) {
    const std::string old = "05\t.+0500\n";
    const std::string bytes(100000, 'x');
    for (const rlim_t limit : {0, 1, 4095, 4096, 65536, 99999}) {
        std::ofstream(path("s.scn")) << old;
        std::string message;
        {
            SizeLimit full(limit);
            message = failure(path("s.scn"), bytes);
        }
        EXPECT_EQ(message, "cannot write " + path("s.scn") + ": File too large") << limit;
        EXPECT_EQ(content(path("s.scn")), old) << limit;
        EXPECT_EQ(names(), std::vector<std::string>{"s.scn"}) << limit;
    }
}

TEST_F(SafeFile, FailuresLeaveNothingBehind) {
    ASSERT_EQ(::mkdir(path("taken").c_str(), 0700), 0);
    std::ofstream(path("taken/inside")) << "x";
    EXPECT_EQ(failure(path("taken"), "new"), "cannot write " + path("taken") + ": Is a directory");
    EXPECT_EQ(failure(path("none/s.scn"), "new"),
              "cannot write " + path("none/s.scn") + ": No such file or directory");
    const std::string directory = dir_.string() + "/";
    EXPECT_EQ(failure(directory, "new"), "cannot write " + directory + ": Is a directory");
    EXPECT_EQ(names(), std::vector<std::string>{"taken"});
    EXPECT_EQ(content(path("taken/inside")), "x");
}

TEST_F(SafeFile, AnUnwritableDirectoryIsReported) {
    std::ofstream(path("s.scn")) << "old";
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    // The superuser writes anywhere: the attempt is made as nobody.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const bool reported = failure(path("s.scn"), "new") ==
                              "cannot write " + path("s.scn") + ": Permission denied";
        ::_exit(reported ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(content(path("s.scn")), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"s.scn"});
}

// The write aside and rename under the file writer and the exchange's request:
// what is left on each way out.
TEST_F(SafeFile, WriteAsideEachWayOutLeavesNoDraftAndSaysWhichStepFailed) {
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
            const std::string draft = path("draft");
            const std::string target = path("target");
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
            if (c.failure != AsideFailure::None) {
                EXPECT_EQ(errno, c.error);
            }
            EXPECT_FALSE(fs::exists(draft));
            if (c.failure == AsideFailure::None) {
                EXPECT_EQ(content(target), "05\n");
            }
            if (c.targetIsFull) {
                EXPECT_EQ(content(target + "/inside"), "keep");
            }
        }
    }
}

// A request that cannot take its place is raised naming the request, and its
// draft does not stay behind to be taken for a later one.
TEST_F(SafeFile, WriteAsideARequestThatCannotTakeItsPlaceNamesItAndLeavesNoDraft) {
    fs::create_directories(path("eq.MSG/inside"));
    try {
        writeRequest(path("eqW.MSG"), path("eq.MSG"), "\x1b.05}");
        FAIL() << "no error";
    } catch (const ExchangeError& error) {
        EXPECT_NE(std::string(error.what()).find(path("eq.MSG")), std::string::npos)
            << error.what();
        EXPECT_EQ(std::string(error.what()).find("eqW.MSG"), std::string::npos) << error.what();
    }
    EXPECT_EQ(names(), std::vector<std::string>{"eq.MSG"});
}

}  // namespace
}  // namespace cuponex
