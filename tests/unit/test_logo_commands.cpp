#include <gtest/gtest.h>

#include <string>

#include "logo/LogoCommands.h"

using cuponex::encodeLogoStrip;
using cuponex::logoCommand;
using cuponex::logoRowBit;
using cuponex::LogoStrip;
using cuponex::trimBlankLogoColumns;

namespace {

std::string repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

}  // namespace

TEST(LogoStripEncoding, EmptyStripIsOneHundredBlanks) {
    EXPECT_EQ(encodeLogoStrip(LogoStrip{}), repeat("20", 100));
}

TEST(LogoStripEncoding, ColumnsInOrderUpperCaseWithBlanks) {
    LogoStrip strip{};
    strip[0] = logoRowBit(0) | logoRowBit(7);
    strip[1] = 0xFF;
    strip[3] = 0x0A;
    strip[99] = logoRowBit(7);
    const std::string text = encodeLogoStrip(strip);
    ASSERT_EQ(text.size(), 200u);
    EXPECT_EQ(text.substr(0, 8), "81FF200A");
    EXPECT_EQ(text.substr(198), "01");
    EXPECT_EQ(text.substr(8, 190), repeat("20", 95));
}

TEST(LogoTrimming, RemovesOnlyTrailingBlankPairs) {
    EXPECT_EQ(trimBlankLogoColumns("81FF" + repeat("20", 98)), "81FF");
    EXPECT_EQ(trimBlankLogoColumns("2081" + repeat("20", 3)), "2081");
    EXPECT_EQ(trimBlankLogoColumns(repeat("20", 100)), "");
    EXPECT_EQ(trimBlankLogoColumns(""), "");
    EXPECT_EQ(trimBlankLogoColumns("FF"), "FF");
}

TEST(LogoTrimming, WorksOnCharactersFromTheEnd) {
    // Pairs are taken from the end, whatever the alignment of the text.
    EXPECT_EQ(trimBlankLogoColumns("A2020"), "A");
    EXPECT_EQ(trimBlankLogoColumns("8202"), "8202");
    EXPECT_EQ(trimBlankLogoColumns("0"), "0");
}

TEST(LogoCommandText, CountsCharactersWithThreeDigitMinimum) {
    EXPECT_EQ(logoCommand("81FF"), "4000481FF");
    EXPECT_EQ(logoCommand(""), "40000");
    const std::string full = repeat("20", 99) + "80";
    EXPECT_EQ(logoCommand(full), "40200" + full);
}

TEST(LogoCommandText, LongTextWidensTheCountAndStaysUnchanged) {
    const std::string text = repeat("ab 0", 300);
    EXPECT_EQ(logoCommand(text), "401200" + text);
}
