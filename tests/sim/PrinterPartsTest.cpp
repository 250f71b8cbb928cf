#include <gtest/gtest.h>

#include "Options.h"
#include "OutputQueue.h"
#include "Printer.h"
#include "ReplyTable.h"

namespace ecfsim {
namespace {

using namespace std::chrono_literals;

Unit frame(const std::string& code) {
    return classify("\x1B." + code + "}");
}
const Unit kCont = classify(ecf::kContinuation);

TEST(ReplyTable, KnowsExactlyTheCommandsOfThePrinter) {
    int known = 0;
    for (int number = 0; number < 100; ++number)
        known += isKnownCode(std::string{char('0' + number / 10), char('0' + number % 10)});
    EXPECT_EQ(known, 51);
    for (const char* code : {"00", "32", "37", "52", "55"}) EXPECT_FALSE(isKnownCode(code));
    for (const char* code : {"01", "31", "33", "36", "38", "51", "53", "54"})
        EXPECT_TRUE(isKnownCode(code));
}

TEST(Printer, FaultsSpoilOnlyTheStartOfAReport) {
    Printer garbage({.fault = Fault::Garbage});
    EXPECT_EQ(garbage.answer(frame("18")), std::string(kGarbage) + "RELATORIO 18 BLOCO 1}");
    EXPECT_EQ(garbage.answer(kCont), "RELATORIO 18 BLOCO 2}");

    // Without its "}" the first block draws no continuation, so the report ends there.
    Printer noBrace({.fault = Fault::NoBrace});
    EXPECT_EQ(noBrace.answer(frame("13")), "RELATORIO 13 BLOCO 1");
    EXPECT_FALSE(noBrace.awaitingContinuation());
}

TEST(Printer, SilentStartsNoReport) {
    Printer printer({.silent = true});
    EXPECT_EQ(printer.answer(frame("13")), "");
    EXPECT_EQ(printer.answer(kCont), "");
}

TEST(OutputQueue, ReleasesOneByteEveryTenBitTimesWithoutBursts) {
    OutputQueue queue(1000);  // 10 ms per byte
    const auto start = OutputQueue::Clock::time_point{} + 1h;
    queue.append("abcd", start);
    EXPECT_EQ(queue.due(start), "a");
    queue.consumed(1);
    EXPECT_EQ(queue.due(start + 5ms), "");
    EXPECT_EQ(queue.due(start + 25ms), "bc");
    queue.consumed(3);
    queue.append("xy", start + 1s);  // after a quiet spell the pace starts afresh
    EXPECT_EQ(queue.due(start + 1s), "x");
}

TEST(Options, RejectsBadCommandLines) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--link"},
                                                 {"--link", "p", "--fault", "fire"},
                                                 {"--link", "p", "--baud", "0"},
                                                 {"--link", "p", "--baud", "96x"},
                                                 {"--link", "p", "-v"}})
        EXPECT_TRUE(std::holds_alternative<UsageError>(parseOptions(args)));
    EXPECT_TRUE(std::holds_alternative<HelpRequested>(parseOptions({"--link", "p", "-h"})));
}

}  // namespace
}  // namespace ecfsim
