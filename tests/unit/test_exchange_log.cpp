#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/ExchangeLog.h"

namespace cuponex {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

TEST(ExchangeText, ReadableBytesNameEscAndShowOtherControlBytesInHex) {
    const Cases cases = {
        {std::string("\x1b.05}"), "<ESC>.05}"},
        {std::string("a\tb\nc\rd"), "a<09>b<0A>c<0D>d"},
        {std::string("\x00\x1f\x7f", 3), "<00><1F><7F>"},
        {std::string("\x80\x9f"), "<80><9F>"},                  // C1 controls
        {std::string("\xa0\xc7\xe3\xff"), "\xa0\xc7\xe3\xff"},  // Latin-1 letters stay
        {" ~<ESC>", " ~<ESC>"},
        {"", ""},
    };
    for (const auto& [bytes, readable] : cases) EXPECT_EQ(readableBytes(bytes), readable);
}

TEST(ExchangeText, HexBytesAreUpperCasePairsSeparatedBySpaces) {
    EXPECT_EQ(hexBytes(std::string("\x1b.05}")), "1B 2E 30 35 7D");
    EXPECT_EQ(hexBytes(std::string("\x00\xff\n", 3)), "00 FF 0A");
    EXPECT_EQ(hexBytes(""), "");
}

TEST(ExchangeText, MillisecondsHaveOneDecimalAfterAComma) {
    EXPECT_EQ(millisecondsText(0), "0,0");
    EXPECT_EQ(millisecondsText(540), "0,5");
    EXPECT_EQ(millisecondsText(1250), "1,3");
    EXPECT_EQ(millisecondsText(5000049), "5000,0");
    EXPECT_EQ(millisecondsText(5000050), "5000,1");
    EXPECT_EQ(millisecondsText(-3), "0,0");
}

TEST(ExchangeLogRows, EachOutcomeFillsTheSixCellsOfTheExchange) {
    ExchangeLog log;
    log.append({"09:15:02.125", "\x1b.05}", ".+0500", ExchangeOutcome::Reply, 540});
    log.append({"09:15:03.000", "\x1b.13}", ".-P006}", ExchangeOutcome::Timeout, 5000400});
    log.append({"09:15:09.010", "\x1b.01AB}",
                "Erro de entrada/sa\xed"
                "da 2",
                ExchangeOutcome::IoError, 120});
    log.append({"09:15:15.000", "\x1b.05}", ".-P006}", ExchangeOutcome::NotTaken, 5000100});
    ASSERT_EQ(log.size(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"09:15:02.125", "05", "<ESC>.05}", "1B 2E 30 35 7D", ".+0500", "0,5", "", ""},
        {"09:15:03.000", "13", "<ESC>.13}", "1B 2E 31 33 7D", "[tempo esgotado] .-P006}", "5000,4",
         "", ""},
        {"09:15:09.010", "01", "<ESC>.01AB}", "1B 2E 30 31 41 42 7D",
         "[erro de E/S] Erro de entrada/sa\xed"
         "da 2",
         "0,1", "", ""},
        {"09:15:15.000", "05", "<ESC>.05}", "1B 2E 30 35 7D", "[n\xE3o retirado] .-P006}", "5000,1",
         "", ""},
    };
    for (size_t row = 0; row < expected.size(); ++row)
        for (int column = 0; column < ExchangeLog::kColumns; ++column)
            EXPECT_EQ(log.cell(row, column), expected[row][column]) << row << "," << column;
    EXPECT_EQ(log.outcome(1), ExchangeOutcome::Timeout);
    EXPECT_EQ(log.outcome(2), ExchangeOutcome::IoError);
    EXPECT_EQ(log.outcome(3), ExchangeOutcome::NotTaken);
}

// A reply, even the timeout reply of a request that was taken, is expected
// again; a failure and a request no link took expect nothing and say why.
TEST(ExchangeLogRows, ScenarioExpectsWhatWasReceivedAndCommentsWhatFailed) {
    ExchangeLog log;
    log.append({"10:00:00.000", "\x1b.05}", ".+0500", ExchangeOutcome::Reply, 500});
    log.append({"10:00:01.000", "\x1b.13}", ".-P006}", ExchangeOutcome::Timeout, 5000000});
    log.append({"10:00:07.000", "\x1b.42}", "Erro 2", ExchangeOutcome::IoError, 100});
    log.append({"10:00:08.000", "\x1b.43}", ".-P006}", ExchangeOutcome::NotTaken, 5000000});
    const std::vector<ScenarioStep> steps = log.scenario();
    ASSERT_EQ(steps.size(), 4u);
    const std::vector<std::tuple<std::string, std::optional<std::string>, std::string>> expected = {
        {"05", ".+0500", ""},
        {"13", ".-P006}", ""},
        {"42", std::nullopt, "erro de E/S: Erro 2"},
        {"43", std::nullopt, "n\xE3o retirado: Nenhum eqlink retirou o pedido deste diret\xF3rio."},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].command, std::get<0>(expected[i])) << i;
        EXPECT_EQ(steps[i].expected, std::get<1>(expected[i])) << i;
        EXPECT_EQ(steps[i].comment, std::get<2>(expected[i])) << i;
    }
}

TEST(ExchangeLogRows, TabSeparatedKeepsOneLinePerRowWhateverTheBytes) {
    ExchangeLog log;
    log.append({"10:00:00.000", "\x1b.05}", "a\tb\nc", ExchangeOutcome::Reply, 1000});
    log.append(
        {"10:00:01.000", "\x1b.0", "", ExchangeOutcome::IoError, 0});  // too short for a code
    EXPECT_EQ(log.tabSeparated({1, 0}),
              "10:00:01.000\t\t<ESC>.0\t1B 2E 30\t[erro de E/S] \t0,0\t\t\n"
              "10:00:00.000\t05\t<ESC>.05}\t1B 2E 30 35 7D\ta<09>b<0A>c\t1,0\t\t\n");
    EXPECT_EQ(log.tabSeparated({}), "");
    log.clear();
    EXPECT_EQ(log.size(), 0u);
}

// A scenario's verdict fills the last two cells; the reply expected is shown
// as the file writes it, and a verdict can be taken back.
TEST(ExchangeLogRows, ComparisonFillsExpectedAndResult) {
    ExchangeLog log;
    for (int i = 0; i < 4; ++i)
        log.append({"10:00:00.000", "\x1b.05}", ".+0500", ExchangeOutcome::Reply, 500});
    const std::vector<std::tuple<ExchangeLog::Comparison, std::string, std::string>> cases = {
        {ExchangeLog::Comparison::Equal, ".+0500", "igual"},
        {ExchangeLog::Comparison::Differs, ".+9900\\x09", "difere"},
        {ExchangeLog::Comparison::NotCompared, "", "n\xE3o comparado"},
        {ExchangeLog::Comparison::None, "", ""},
    };
    for (size_t row = 0; row < cases.size(); ++row) {
        const auto& [comparison, expected, result] = cases[row];
        log.setComparison(row, expected, ExchangeLog::Comparison::Differs);
        log.setComparison(row, expected, comparison);
        EXPECT_EQ(log.comparison(row), comparison) << row;
        EXPECT_EQ(log.cell(row, ExchangeLog::Esperado), expected) << row;
        EXPECT_EQ(log.cell(row, ExchangeLog::Resultado), result) << row;
        EXPECT_EQ(log.cell(row, ExchangeLog::Recebido), ".+0500") << row;
    }
    // What is saved is what ran: the reply received, not the one expected.
    EXPECT_EQ(log.scenario()[1].expected, std::optional<std::string>(".+0500"));
}

}  // namespace
}  // namespace cuponex
