#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "UserLocales.h"
#include "core/NumberEntry.h"

namespace cuponex {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

// The message a rejected text gives, or "" when it converts.
std::string conversionMessage(const std::string& text, const std::string& pattern) {
    try {
        formatNumberText(text, pattern);
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "";
}

std::string typed(const std::string& keys) {
    std::string field;
    for (char key : keys) {
        if (auto accepted = amountKey(key)) field += *accepted;
    }
    return field;
}

TEST(FieldKeys, AmountKeyTurnsPointIntoCommaAndDropsTheRest) {
    EXPECT_EQ(typed("12.5"), "12,5");
    EXPECT_EQ(typed("1,2,3"), "1,2,3");
    EXPECT_EQ(typed("-a 7\xE7\t+e"), "7");
    EXPECT_EQ(amountKey(8), std::optional<char>(8));
}

TEST(FieldKeys, DigitKeyPassesOnlyDigitsAndBackspace) {
    for (char key : std::string("0123456789\b")) EXPECT_EQ(digitKey(key), key);
    for (char key : std::string(",.-+ aZ\xB9\xE7\x7F")) EXPECT_EQ(digitKey(key), std::nullopt);
}

TEST(NumericRewrite, WritesTheNormalFormOfEachPattern) {
    EXPECT_EQ(numericRewrite("2,5", "0.00"), "2,50");
    EXPECT_EQ(numericRewrite("2", "0.000"), "2,000");
    EXPECT_EQ(numericRewrite("1,5", "0.000"), "1,500");
    EXPECT_EQ(numericRewrite("5", "000"), "005");
    EXPECT_EQ(numericRewrite("12", "000"), "012");
    EXPECT_EQ(numericRewrite("5", "00"), "05");
    EXPECT_EQ(numericRewrite("10000", "0.00"), "10000,00");  // longer than the pattern: whole
    EXPECT_EQ(numericRewrite("1234", "00"), "1234");
}

TEST(NumericRewrite, BlankFieldBecomesZero) {
    for (const std::string blank : {"", "   ", "\t", " \r\n "}) {
        EXPECT_EQ(numericRewrite(blank, "0.00"), "0,00");
        EXPECT_EQ(numericRewrite(blank, "0.000"), "0,000");
        EXPECT_EQ(numericRewrite(blank, "000"), "000");
        EXPECT_EQ(numericRewrite(blank, "00"), "00");
    }
}

TEST(NumericRewrite, IgnoresSpacesInsideTheNumber) {
    EXPECT_EQ(numericRewrite("1 250,5", "0.00"), "1250,50");
    EXPECT_EQ(numericRewrite(" - 3 ", "0.00"), "-3,00");
}

TEST(NumericRewrite, RejectedTextIsReportedWithoutItsSpaces) {
    EXPECT_THROW(numericRewrite("1,2,3", "0.00"), ConversionError);
    try {
        numericRewrite(" 1,2 ,3", "0.00");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'1,2,3' is not a valid floating point value");
    }
}

TEST(NumberText, RejectsWhatIsNotANumber) {
    for (const std::string text : {"1,2,3", "-", "+", ",", "", "abc", "12a", "12.5", "1-", "--1",
                                   "1 0", "+-1", "0x10", "\t5"}) {
        EXPECT_EQ(conversionMessage(text, "0.00"),
                  "'" + text + "' is not a valid floating point value");
    }
}

TEST(NumberText, AcceptsSignsCommaAtEitherEndAndSurroundingBlanks) {
    const Cases cases = {{"  2,5  ", "2,50"}, {"+7", "7,00"},  {",5", "0,50"},
                         {"5,", "5,00"},      {"007", "7,00"}, {"-12,5", "-12,50"}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(formatNumberText(text, "0.00"), expected);
}

TEST(NumberText, RoundsExactlyHalfAwayFromZero) {
    const Cases cases = {
        {"1,257", "1,26"},   {"1,254", "1,25"},  {"0,125", "0,13"},
        {"-0,125", "-0,13"}, {"2,675", "2,68"},  {"1,005", "1,01"},
        {"9,995", "10,00"},  {"0,0049", "0,00"}, {"0,1250000000000000000001", "0,13"}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(formatNumberText(text, "0.00"), expected);
    EXPECT_EQ(formatNumberText("0,0004", "0.000"), "0,000");
    EXPECT_EQ(formatNumberText("0,0005", "0.000"), "0,001");
    EXPECT_EQ(formatNumberText("2,5", "000"), "003");
    EXPECT_EQ(formatNumberText("-2,5", "00"), "-03");
    EXPECT_EQ(formatNumberText("0,4", "000"), "000");
}

TEST(NumberText, ValueRoundingToZeroHasNoMinus) {
    EXPECT_EQ(formatNumberText("-0", "0.00"), "0,00");
    EXPECT_EQ(formatNumberText("-0,004", "0.00"), "0,00");
    EXPECT_EQ(formatNumberText("-0,4", "000"), "000");
    EXPECT_EQ(formatNumberText("-0,005", "0.00"), "-0,01");
}

TEST(NumberText, ReadsExponents) {
    const Cases cases = {{"1,5E3", "1500,00"},   {"25e-1", "2,50"}, {"1E+2", "100,00"},
                         {"-1e0", "-1,00"},      {"5E-3", "0,01"},  {"1E-4932", "0,00"},
                         {"1e0004", "10000,00"}, {"0E4932", "0,00"}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(formatNumberText(text, "0.00"), expected);
    EXPECT_EQ(formatNumberText("1E4932", "0"), "1" + std::string(4932, '0'));

    for (const char* text :
         {"1E", "1E+", "E5", "1E2,5", "1E2E3", "1E4933", "1E-4933", "1E99999999999999999999"}) {
        EXPECT_NE(conversionMessage(text, "0.00"), "") << text;
    }
}

TEST(NumberText, WritesHugeDigitStringsWhole) {
    const std::string big(300, '9');
    EXPECT_EQ(formatNumberText(big, "0.00"), big + ",00");
    EXPECT_EQ(formatNumberText(big + ",995", "0.00"), "1" + std::string(300, '0') + ",00");
    EXPECT_EQ(formatNumberText("0," + std::string(500, '0') + "9", "0.00"), "0,00");
    EXPECT_EQ(formatNumberText("12345678901234567890,125", "0.00"), "12345678901234567890,13");
}

// The percentage of discount commands on line 6100: the field's text converted
// as it is, written with two implied decimals.
std::string percentageDigits(const std::string& fieldText) {
    std::string text = formatNumberText(fieldText, "00.00");
    std::erase(text, ',');
    return text;
}

TEST(NumberText, PercentageWithTwoImpliedDecimals) {
    EXPECT_EQ(formatNumberText("10", "00.00"), "10,00");
    EXPECT_EQ(percentageDigits("10,00"), "1000");
    EXPECT_EQ(percentageDigits("2,5"), "0250");
    EXPECT_EQ(percentageDigits("100"), "10000");
    EXPECT_EQ(percentageDigits("0,004"), "0000");
    EXPECT_EQ(conversionMessage("", "00.00"), "'' is not a valid floating point value");
    EXPECT_EQ(conversionMessage("1 0", "00.00"), "'1 0' is not a valid floating point value");
}

TEST(IntegerRewrite, ReadsWholeIntegersAndZeroOtherwise) {
    const Cases fourDigits = {{"12", "0012"},
                              {"", "0000"},
                              {"abc", "0000"},
                              {"1,5", "0000"},
                              {"12345", "12345"},
                              {"-5", "-0005"},
                              {" 12", "0012"},
                              {"12 ", "0000"},
                              {"+3", "0003"},
                              {"-", "0000"},
                              {"99999999999999999999", "0000"}};
    for (const auto& [text, expected] : fourDigits) EXPECT_EQ(integerRewrite(text, 4), expected);
    EXPECT_EQ(integerRewrite("", 0), "0");
    EXPECT_EQ(integerRewrite("7", 0), "7");
    EXPECT_EQ(integerRewrite("7", 1), "7");
    EXPECT_EQ(integerRewrite("9223372036854775807", 1), "9223372036854775807");
    EXPECT_EQ(integerRewrite("-9223372036854775808", 1), "-9223372036854775808");
    EXPECT_EQ(integerRewrite("9223372036854775808", 1), "0");
}

// The users' locales change nothing read or written: the decimal comma stays,
// a point is no decimal separator and no digits are grouped.
TEST(NumberText, TheSameUnderTheUsersLocales) {
    for (const char* name : testsupport::kUserLocales) {
        const testsupport::ScopedLocale locale(name);
        ASSERT_TRUE(locale.set()) << testsupport::ScopedLocale::missing(name);
        EXPECT_EQ(formatNumberText("1234,5", "0.00"), "1234,50") << name;
        EXPECT_EQ(formatNumberText("1,5E3", "0.000"), "1500,000") << name;
        EXPECT_EQ(conversionMessage("12.5", "0.00"), "'12.5' is not a valid floating point value")
            << name;
        EXPECT_EQ(numericRewrite("2,5", "0.000"), "2,500") << name;
        EXPECT_EQ(integerRewrite("12", 4), "0012") << name;
        EXPECT_EQ(typed("12.5"), "12,5") << name;
    }
}

TEST(PriceExitPattern, ThreeDecimalsOnlyForUnitPriceWithMarkedDescription) {
    for (const std::string marked : {">X", "]", "|PAO", "~ARROZ"}) {
        EXPECT_EQ(priceExitPattern(true, marked), "0.000");
        EXPECT_EQ(priceExitPattern(false, marked), "0.00");
    }
    for (const std::string plain : {"", "ARROZ", " ~", "#"}) {
        EXPECT_EQ(priceExitPattern(true, plain), "0.00");
    }
    EXPECT_EQ(numericRewrite("2,5", priceExitPattern(true, "~ARROZ")), "2,500");
    EXPECT_EQ(numericRewrite("3", priceExitPattern(true, "|")), "3,000");
    EXPECT_EQ(numericRewrite("3", priceExitPattern(false, "|")), "3,00");
}

}  // namespace
}  // namespace cuponex
