// Settings, command line and working directory, called directly.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

#include "LinkTestSupport.h"
#include "eq_init.h"
#include "eq_var.h"

namespace {

class EqInitTest : public ::testing::Test {
  protected:
    void SetUp() override { eq_var_reset(); }
    void TearDown() override { eq_var_reset(); }

    static int cmdline(std::initializer_list<std::string> args) {
        std::vector<std::string> copies{"eqlink"};
        copies.insert(copies.end(), args);
        std::vector<char*> argv;
        for (auto& arg : copies) argv.push_back(arg.data());
        argv.push_back(nullptr);
        return eq_cmdline(static_cast<int>(copies.size()), argv.data());
    }

    // Working directory and request file as start-up forms them, without
    // creating anything.
    static std::string workdir() {
        EXPECT_EQ(eq_form_workdir(), 0);
        return eq_cfgdir;
    }
    static std::string path(char** name, const char* defaultName) {
        EXPECT_EQ(eq_cfgdir_prefix(name, defaultName), 0);
        return *name;
    }
};

TEST_F(EqInitTest, Defaults) {
    ASSERT_EQ(cmdline({}), 0);
    EXPECT_STREQ(eq_device, "/dev/ttyS1");
    EXPECT_EQ(eq_resptim, 10);
    EXPECT_EQ(workdir(), "/home/usuarios/ecf/ttyS1");
    EXPECT_EQ(path(&eq_logfile, "eq.LOG"), "/home/usuarios/ecf/ttyS1/eq.LOG");
    EXPECT_EQ(path(&eq_msgfile, "eq.MSG"), "/home/usuarios/ecf/ttyS1/eq.MSG");
    EXPECT_EQ(path(&eq_tmpresp, "eqT.RSP"), "/home/usuarios/ecf/ttyS1/eqT.RSP");
    EXPECT_EQ(path(&eq_finalresp, "eq.RSP"), "/home/usuarios/ecf/ttyS1/eq.RSP");
}

TEST_F(EqInitTest, WorkingDirectoryFollowsDeviceUnlessNamed) {
    ASSERT_EQ(cmdline({"-d", "/dev/ttyS0"}), 0);
    EXPECT_STREQ(eq_device, "/dev/ttyS0");
    EXPECT_EQ(workdir(), "/home/usuarios/ecf/ttyS0");

    eq_var_reset();
    ASSERT_EQ(cmdline({"-d", "/dev/ttyS0", "-s", "caixa"}), 0);
    EXPECT_EQ(workdir(), "/home/usuarios/ecf/caixa");

    eq_var_reset();
    ASSERT_EQ(cmdline({"-d", "ttyUSB3"}), 0);  // no "/": the whole text
    EXPECT_EQ(workdir(), "/home/usuarios/ecf/ttyUSB3");
}

TEST_F(EqInitTest, FileNamesAreAlwaysInsideTheWorkingDirectory) {
    ASSERT_EQ(cmdline({"-m", "pedido.txt", "-r", "/abs.rsp"}), 0);
    workdir();
    EXPECT_EQ(path(&eq_msgfile, "eq.MSG"), "/home/usuarios/ecf/ttyS1/pedido.txt");
    EXPECT_EQ(path(&eq_finalresp, "eq.RSP"), "/home/usuarios/ecf/ttyS1//abs.rsp");
}

TEST_F(EqInitTest, OnlyTheLetterCountsValuesAreTakenWholeAndTheLastWins) {
    const std::string longDir = "/tmp/" + std::string(300, 'p');
    const std::string longSub(200, 's');
    ASSERT_EQ(cmdline({"-dev", "/dev/x", "-t", "-odd", "-p", "/first", "-p", longDir, "-s", longSub,
                       "-l", "-h"}),
              0);
    EXPECT_STREQ(eq_device, "/dev/x");
    EXPECT_STREQ(eq_tmpresp, "-odd");
    EXPECT_STREQ(eq_logfile, "-h");  // a value, not the option
    EXPECT_EQ(workdir(), longDir + "/" + longSub);
    EXPECT_EQ(path(&eq_tmpresp, "eqT.RSP"), longDir + "/" + longSub + "/-odd");
}

TEST_F(EqInitTest, SecondsFromLeadingDigits) {
    ASSERT_EQ(cmdline({"-T", "0"}), 0);
    EXPECT_EQ(eq_resptim, 0);  // no limit
    ASSERT_EQ(cmdline({"-T", "abc"}), 0);
    EXPECT_EQ(eq_resptim, 0);
    ASSERT_EQ(cmdline({"-T", "12abc"}), 0);
    EXPECT_EQ(eq_resptim, 12);
    EXPECT_EQ(eq_parse_seconds(" 7"), 7);
    EXPECT_EQ(eq_parse_seconds("99999999999999999999"), INT_MAX);
}

TEST_F(EqInitTest, HelpStopsAtOnceWithUsageOnStandardOutput) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(cmdline({"-h", "-x"}), 12);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(out.find("usage: eqlink"), std::string::npos);
}

TEST_F(EqInitTest, ErrorsNameTheArgumentOnOneLine) {
    struct Case {
        std::initializer_list<std::string> args;
        const char* named;
    };
    for (const Case& c : {Case{{"-x"}, "-x"}, Case{{"/dev/ttyS0"}, "/dev/ttyS0"}, Case{{"-"}, "-"},
                          Case{{"-d", "/dev/x", "bare"}, "bare"}, Case{{"-d"}, "-d"},
                          Case{{"-s", "x", "-T"}, "-T"}, Case{{"-x", "-h"}, "-x"}}) {
        eq_var_reset();
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(cmdline(c.args), -500) << c.named;
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << c.named;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_TRUE(err.ends_with(std::string(": ") + c.named + "\n")) << err;
    }
}

TEST_F(EqInitTest, SolveFilenamesCreatesTheDirectoryAndFormsThePaths) {
    eqlink_test::ScratchDir scratch;
    eq_set_text(&eq_cfgdir, scratch.path().c_str());
    eq_set_text(&eq_subcfg, "caixa");
    const mode_t oldMask = ::umask(022);
    const int code = eq_solve_filenames();
    ::umask(oldMask);
    ASSERT_EQ(code, 0);
    struct stat info {};
    ASSERT_EQ(::stat((scratch / "caixa").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    EXPECT_EQ(std::string(eq_msgfile), scratch / "caixa/eq.MSG");
    EXPECT_EQ(std::string(eq_finalresp), scratch / "caixa/eq.RSP");
}

}  // namespace
