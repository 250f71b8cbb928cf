#include <gtest/gtest.h>

#include <limits>

#include "core/CommandFormat.h"
#include "core/Numbers.h"

using namespace cuponex;

TEST(FormatPattern, TextDirectivesPadAndCut) {
    EXPECT_EQ(formatPattern("[%5s]", {"ab"}), "[   ab]");
    EXPECT_EQ(formatPattern("[%-5s]", {"ab"}), "[ab   ]");
    EXPECT_EQ(formatPattern("[%.3s]", {"abcdef"}), "[abc]");
    EXPECT_EQ(formatPattern("[%.3s]", {"ab"}), "[ab]");
    EXPECT_EQ(formatPattern("[%s]", {""}), "[]");
    // Widths are minimums: a longer text is written whole.
    EXPECT_EQ(formatPattern("%3s|%-3s|", {"abcd", "efgh"}), "abcd|efgh|");
}

TEST(FormatPattern, IntegerDirectivesZeroFillAfterSign) {
    EXPECT_EQ(formatPattern("%d", {42}), "42");
    EXPECT_EQ(formatPattern("%d", {-3}), "-3");
    EXPECT_EQ(formatPattern("%.7d", {2000}), "0002000");
    EXPECT_EQ(formatPattern("%.7d", {-1000}), "-0001000");
    EXPECT_EQ(formatPattern("%.2d", {12345}), "12345");
    EXPECT_EQ(formatPattern("%.12d", {9999999999999LL}), "9999999999999");
    EXPECT_EQ(formatPattern("%d", {std::numeric_limits<long long>::min()}), "-9223372036854775808");
}

TEST(FormatPattern, PercentSigns) {
    EXPECT_EQ(formatPattern("10%%", {}), "10%");
    EXPECT_EQ(formatPattern("ab%", {}), "ab");
    EXPECT_EQ(formatPattern("%s%", {"x"}), "x");
}

TEST(FormatPattern, ProgrammingErrorsThrowLogicError) {
    EXPECT_THROW(formatPattern("%d", {"12"}), std::logic_error);
    EXPECT_THROW(formatPattern("%s", {12}), std::logic_error);
    EXPECT_THROW(formatPattern("%s%s", {"a"}), std::logic_error);
    EXPECT_THROW(formatPattern("%x", {1}), std::logic_error);
    EXPECT_THROW(formatPattern("%-5", {"a"}), std::logic_error);
    // Found by fuzzing: a huge width asked for exabytes of padding.
    EXPECT_THROW(formatPattern("%99999999999999999999s", {"a"}), std::logic_error);
    EXPECT_THROW(formatPattern("%.99999999999999999999d", {1}), std::logic_error);
}

TEST(RetiraCaracter, DeletesEveryOccurrence) {
    EXPECT_EQ(RetiraCaracter("1,234,5", ','), "12345");
    EXPECT_EQ(RetiraCaracter("1250", ','), "1250");
    EXPECT_EQ(RetiraCaracter("", ','), "");
    EXPECT_EQ(RetiraCaracter(" 1 2 ", ' '), "12");
}

TEST(ParseInteger, AcceptsOnlyWholeDecimalIntegers) {
    EXPECT_EQ(parseInteger("0012"), 12);
    EXPECT_EQ(parseInteger("  -7"), -7);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(parseInteger("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    for (const char* text : {"", " ", "-", "7 ", "1,5", "1.5", "12a", "$1F", "- 1",
                             "9223372036854775808", "-9223372036854775809"}) {
        EXPECT_EQ(parseInteger(text), std::nullopt) << "'" << text << "'";
    }
}

TEST(AmountInteger, DeletesCommasAndDefaultsToZero) {
    EXPECT_EQ(amountInteger("12,50"), 1250);
    EXPECT_EQ(amountInteger("2,000"), 2000);
    EXPECT_EQ(amountInteger(""), 0);
    EXPECT_EQ(amountInteger("abc"), 0);
    // Beyond 32 bits: large totals are read, not turned into 0.
    EXPECT_EQ(amountInteger("99999999999,99"), 9999999999999);
    EXPECT_EQ(integerOrZero("1,5"), 0);
}

TEST(StrictAmountInteger, ReportsTextWithoutCommas) {
    EXPECT_EQ(strictAmountInteger("10,00"), 1000);
    auto messageOf = [](const char* text) {
        try {
            strictAmountInteger(text);
        } catch (const ConversionError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(""), "'' is not a valid integer value");
    EXPECT_EQ(messageOf("1,2a"), "'12a' is not a valid integer value");
}
