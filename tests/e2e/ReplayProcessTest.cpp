// cuponex --replay as a process, without a display, through the real eqlink
// and the simulated printer on a pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>

#include <random>
#include <stop_token>
#include <thread>

#include "ReplayBench.h"

namespace {

using namespace eqlink_test;

TEST(Replay, ComparesEachReplyRecordsThemAndTheRecordReplaysEqual) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string scenario = bench.scenario("s",
                                                "# a comment\n"
                                                "05\t.+0500\n"
                                                "42\t.+9900\n"
                                                "\n"
                                                "43\n"
                                                "37\t.-P003\n");
    const auto run = bench.cuponex(
        {"--replay", scenario, "--dir", bench.workDir(), "--record", bench.dir / "golden"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("line 2  05  "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  equal\n"), std::string::npos);
    EXPECT_NE(run.out.find("line 3: expected \".+9900\"\nline 3: received \".+4200\"\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("line 5  43  "), std::string::npos);
    EXPECT_NE(run.out.find("not compared"), std::string::npos);
    EXPECT_NE(run.out.find("4 exchanges: 2 equal, 1 differ, 1 not compared\n"), std::string::npos)
        << run.out;
    EXPECT_EQ(bench.frames(), "\\x1B.05}\n\\x1B.42}\n\\x1B.43}\n\\x1B.37}\n");
    EXPECT_EQ(readFile(bench.dir / "golden").value_or(""),
              "05\t.+0500\n42\t.+4200\n43\t.+4300\n37\t.-P003\n");

    const auto again = bench.cuponex({"--replay", bench.dir / "golden", "--dir", bench.workDir()});
    EXPECT_EQ(again.status, 0) << again.out << again.err;
}

// A session recorded from one printer becomes a simulated printer that
// answers as that one did: the recording replays equal against it, a report
// and a silence included, and its replies are the recorded ones, not the
// simulated printer's own table.
TEST(Replay, RecordedSessionReplaysEqualAgainstTheRecordedPrinter) {
    std::string golden;
    {
        Bench printer;
        ASSERT_TRUE(printer.ready());
        const std::string scenario = printer.scenario("s", "05\n13\n42\n05\n");
        const auto run = printer.cuponex(
            {"--replay", scenario, "--dir", printer.workDir(), "--record", printer.dir / "golden"});
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        golden = readFile(printer.dir / "golden").value_or("");
    }
    ASSERT_NE(golden.find("13\tRELATORIO 13 BLOCO 1}"), std::string::npos) << golden;
    // As another printer answered: 42 differently, and 43 not at all.
    const auto at = golden.find("42\t.+4200");
    ASSERT_NE(at, std::string::npos);
    golden.replace(at, 9, "42\t.-P099");
    golden += "43\t.-P006}\n";

    ScratchDir files;
    writeFile(files / "golden", golden);
    Bench recorded({"--unpaced", "--replies", files / "golden"});
    ASSERT_TRUE(recorded.ready()) << golden;
    const auto run = recorded.cuponex(
        {"--replay", files / "golden", "--dir", recorded.workDir(), "--wait", "1"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("5 exchanges: 5 equal, 0 differ, 0 not compared"), std::string::npos)
        << run.out;
}

TEST(Replay, BadScenarioOrCommandLineSendsNothing) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string bad = bench.scenario("bad", "05\n06\\q\n");
    const std::string good = bench.scenario("good", "05\n");
    const auto run =
        bench.cuponex({"--replay", bad, "--dir", bench.workDir(), "--record", bench.dir / "out"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(bad + ":2:"), std::string::npos) << run.err;
    const std::vector<std::vector<std::string>> badLines = {
        {"--replay", bench.dir / "missing"},
        {"--replay", bad, "--dir"},
        {"--replay", bad, "--colour"},
        {"--replay", bad, "--wait", "soon"},
        {"--replay", good, "--dir", bench.workDir(), "--colour"},
        {"--replay", good, "--dir", bench.workDir(), "--wait", "soon"},
        {"--replay", good, "--dir", bench.workDir(), "--wait", "0"},
        {"--replay", good, "--dir", bench.workDir(), "--wait", "-1"},
    };
    for (const auto& args : badLines) EXPECT_EQ(bench.cuponex(args).status, 2) << args.back();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(bench.frames(), "");
    EXPECT_FALSE(exists(bench.dir / "out"));
}

TEST(Replay, InputOutputErrorStopsThereAndWritesNoRecord) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string scenario = bench.scenario("s", "05\n06\n");
    const auto run = bench.cuponex(
        {"--replay", scenario, "--dir", bench.dir / "nowhere", "--record", bench.dir / "out"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("line 1:"), std::string::npos) << run.err;
    EXPECT_FALSE(exists(bench.dir / "out"));
}

// The replies came, but the record of them cannot be written: an error, not
// a success.
TEST(Replay, RecordThatCannotBeWrittenIsAnError) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const std::string scenario = bench.scenario("s", "05\t.+0500\n");
    const std::string out = bench.dir / "missing/golden";
    const auto run =
        bench.cuponex({"--replay", scenario, "--dir", bench.workDir(), "--record", out});
    EXPECT_EQ(run.status, 3) << run.out << run.err;
    EXPECT_NE(run.err.find(out), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("1 exchanges: 1 equal"), std::string::npos) << run.out;
}

// A printer slower than the wait: its late reply arrives while the next
// command waits and must not be taken for that command's.
TEST(Replay, LateReplyIsNotTakenForTheNextCommand) {
    Bench bench({"--baud", "10"});  // a byte a second: a reply of 7 bytes ends after 6 s
    ASSERT_TRUE(bench.ready());
    const std::string scenario = bench.scenario("s", "05\t.-P006}\n42\t.-P006}\n");
    const auto run = bench.cuponex({"--replay", scenario, "--dir", bench.workDir(), "--wait", "4"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
}

// A held link (stopped, as one busy with a long report): the request times
// out, is withdrawn, and the run fails as not taken without a record. Once
// the link goes on, the printer never receives it.
TEST(Replay, RequestNoLinkTookFailsTheRunAndNeverReachesThePrinter) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    ASSERT_EQ(::kill(bench.linkPid(), SIGSTOP), 0);
    const std::string sale = bench.scenario("sale", "05\t.-P006}\n42\n");
    const auto held = bench.cuponex(
        {"--replay", sale, "--dir", bench.workDir(), "--wait", "1", "--record", bench.dir / "out"});
    ASSERT_EQ(::kill(bench.linkPid(), SIGCONT), 0);
    EXPECT_EQ(held.status, 3) << held.out << held.err;
    EXPECT_EQ(held.out, "line 1  05  not taken: no link took the request from " + bench.workDir() +
                            " within 1 s (is eqlink running?)\n");
    EXPECT_FALSE(exists(bench.dir / "out"));
    EXPECT_FALSE(exists(bench.workDir() + "eq.MSG"));

    std::this_thread::sleep_for(300ms);  // the link looks at its directory again
    const auto after = bench.cuponex(
        {"--replay", bench.scenario("next", "43\t.+4300\n"), "--dir", bench.workDir()});
    EXPECT_EQ(after.status, 0) << after.out << after.err;
    EXPECT_EQ(bench.frames(), "\\x1B.43}\n");
}

// The link let go at a random moment around the end of the wait, round after
// round, with a busy thread competing for the processors: each time either the
// link took the request (sent once; its reply in time, or the silence of a
// take too late for the reply) or the replay withdrew it (never sent, not even
// later), never both, never neither. A printer at 1200 baud needs about 60 ms
// for its reply, so the moments spread give all three some rounds.
TEST(Replay, WithdrawalAndTakeRacingManyTimesExactlyOneWinsEveryTime) {
    constexpr int kRounds = 40;
    Bench bench({"--baud", "1200"});
    ASSERT_TRUE(bench.ready());
    const std::jthread load([](std::stop_token stop) {
        while (!stop.stop_requested()) {
        }
    });
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> releaseMs(100, 250);  // the wait is 200 ms
    const std::string request = bench.workDir() + "eq.MSG";
    const std::string taken = bench.workDir() + "eqL.MSG";
    int answered = 0, takenLate = 0, withdrawn = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string command = "05R" + std::to_string(round);
        const std::string frame = "\\x1B." + command + "}\n";
        const std::string record = bench.dir / ("record" + std::to_string(round));
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round));
        ASSERT_EQ(::kill(bench.linkPid(), SIGSTOP), 0);
        ChildProcess replay(
            CUPONEX_PATH, {"--replay", bench.scenario("s" + std::to_string(round), command + "\n"),
                           "--dir", bench.workDir(), "--wait", "0.2", "--record", record});
        const bool written = waitFor([&] { return exists(request); }, 5000ms);
        if (written) std::this_thread::sleep_for(std::chrono::milliseconds(releaseMs(random)));
        ASSERT_EQ(::kill(bench.linkPid(), SIGCONT), 0);
        ASSERT_TRUE(written) << replay.out() << replay.err();
        const int status = replay.waitForExit(10s);
        const std::string out = replay.out();
        const auto sent = [&] {
            const std::string log = bench.frames();
            int count = 0;
            for (auto at = log.find(frame); at != std::string::npos; at = log.find(frame, at + 1))
                ++count;
            return count;
        };
        EXPECT_TRUE(waitFor([&] { return !exists(request) && !exists(taken); }));
        if (out.find("not taken: ") != std::string::npos) {
            ++withdrawn;
            EXPECT_EQ(status, 3) << out << replay.err();
            EXPECT_EQ(sent(), 0) << bench.frames();
            std::this_thread::sleep_for(300ms);  // a link that took it would have sent it by now
            EXPECT_EQ(sent(), 0) << bench.frames();
            EXPECT_FALSE(exists(record));
        } else {
            EXPECT_EQ(status, 0) << out << replay.err();
            EXPECT_NE(out.find("not compared"), std::string::npos) << out;
            EXPECT_TRUE(waitFor([&] { return sent() > 0; })) << bench.frames();
            // Taken too late for the reply: it comes all the same, and only
            // then is the link ready for the next round.
            if (readFile(record).value_or("").find(".-P006}") == std::string::npos) {
                ++answered;
            } else {
                ++takenLate;
                EXPECT_TRUE(waitFor([&] { return exists(bench.workDir() + "eq.RSP"); }));
            }
            EXPECT_EQ(sent(), 1) << bench.frames();
        }
    }
    EXPECT_GT(answered, 0);
    EXPECT_GT(takenLate, 0);
    EXPECT_GT(withdrawn, 0);
    std::printf("of %d requests: %d answered, %d taken too late, %d withdrawn\n", kRounds, answered,
                takenLate, withdrawn);
}

// Two replays at once on one directory take turns: each gets its own replies
// (the recorded printer answers every request differently).
TEST(Replay, TwoReplaysAtOnceOnOneDirectoryEachGetTheirOwnReplies) {
    constexpr int kEach = 40;
    ScratchDir files;
    std::string replies, first, second;
    for (int i = 0; i < kEach; ++i) {
        const std::string n = std::to_string(i);
        first += "05A" + n + "\t.+A" + n + "\n";
        second += "05B" + n + "\t.+B" + n + "\n";
    }
    writeFile(files / "replies", first + second);
    writeFile(files / "first", first);
    writeFile(files / "second", second);
    Bench bench({"--unpaced", "--replies", files / "replies"});
    ASSERT_TRUE(bench.ready());
    ChildProcess one(CUPONEX_PATH, {"--replay", files / "first", "--dir", bench.workDir()});
    ChildProcess two(CUPONEX_PATH, {"--replay", files / "second", "--dir", bench.workDir()});
    EXPECT_EQ(one.waitForExit(60s), 0) << one.out() << one.err();
    EXPECT_EQ(two.waitForExit(60s), 0) << two.out() << two.err();
    const std::string counts = std::to_string(kEach) + " exchanges: " + std::to_string(kEach) +
                               " equal, 0 differ, 0 not compared\n";
    EXPECT_NE(one.out().find(counts), std::string::npos) << one.out();
    EXPECT_NE(two.out().find(counts), std::string::npos) << two.out();
}

// A directory another program keeps locked for longer than the wait is an
// input/output error of the run, in English, and nothing is sent.
TEST(Replay, DirectoryHeldByAnotherProgramIsAnInputOutputError) {
    Bench bench;
    ASSERT_TRUE(bench.ready());
    const int held = ::open(bench.workDir().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const auto run =
        bench.cuponex({"--replay", bench.scenario("s", "05\t.+0500\n"), "--dir", bench.workDir(),
                       "--wait", "0.5", "--record", bench.dir / "out"});
    ::close(held);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "line 1  05  input/output error\n");
    EXPECT_EQ(run.err, "cuponex: line 1: the directory " + bench.workDir() +
                           " is in use by another program\n");
    EXPECT_FALSE(exists(bench.dir / "out"));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(bench.frames(), "");
}

}  // namespace
