#include <gtest/gtest.h>

#include "FrameReader.h"

namespace ecfsim {
namespace {

std::vector<UnitKind> kinds(const std::vector<Unit>& units) {
    std::vector<UnitKind> result;
    for (const Unit& unit : units) result.push_back(unit.kind);
    return result;
}

TEST(FrameReader, SplitsFramesAndConsumesTheLineFeedAfterEach) {
    FrameReader reader;
    const auto units = reader.feed("\x1B.05}\n\n\x1B.0112345}\n");
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].raw, "\x1B.05}");
    EXPECT_EQ(units[1].code, "01");
    EXPECT_EQ(units[1].params, "12345");
    EXPECT_FALSE(reader.hasPartial());
}

TEST(FrameReader, AssemblesAFrameDeliveredOneByteAtATime) {
    FrameReader reader;
    std::vector<Unit> units;
    for (char byte : std::string("\x1B.13}\n"))
        for (Unit& unit : reader.feed(std::string(1, byte))) units.push_back(unit);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].code, "13");
}

TEST(FrameReader, RecognisesContinuationsOnlyWhenExact) {
    FrameReader reader;
    EXPECT_EQ(kinds(reader.feed(ecf::kContinuation)), std::vector{UnitKind::Continuation});
    EXPECT_EQ(kinds(reader.feed("\x01"
                                "b.+}\x1B"
                                "b.++}")),
              (std::vector{UnitKind::Malformed, UnitKind::Malformed}));
}

TEST(FrameReader, ReportsEachMalformedFrameAsOneUnit) {
    for (const std::string input :
         {"\x1B"
          "05}",
          "\x1B.5}", "\x1B.A1}", "\x1B.}", ".05}", "abc\x1B.05}", "\x1B.0\x1B.05}"}) {
        FrameReader reader;
        const auto units = reader.feed(input + "\n");
        ASSERT_EQ(units.size(), 1u) << input;
        EXPECT_EQ(units[0].kind, UnitKind::Malformed) << input;
        EXPECT_EQ(units[0].raw, input);
    }
}

TEST(FrameReader, StrayTextEndsAtALineFeedButAFrameMayHoldOne) {
    FrameReader reader;
    const auto units = reader.feed("noise\n\x1B.09a\nb}");
    ASSERT_EQ(kinds(units), (std::vector{UnitKind::Malformed, UnitKind::Frame}));
    EXPECT_EQ(units[0].raw, "noise");
    EXPECT_EQ(units[1].params, "a\nb");
}

TEST(FrameReader, FlushesAnIncompleteUnitAsMalformedAndRecovers) {
    FrameReader reader;
    EXPECT_TRUE(reader.feed("\x1B.05").empty());
    const auto unit = reader.flushPartial();
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->kind, UnitKind::Malformed);
    EXPECT_EQ(unit->raw, "\x1B.05");
    EXPECT_FALSE(reader.hasPartial());
    EXPECT_EQ(kinds(reader.feed("\x1B.05}")), std::vector{UnitKind::Frame});
}

TEST(FrameReader, SurvivesOversizedAndArbitraryInput) {
    FrameReader reader;
    const auto units = reader.feed("\x1B.01" + std::string(FrameReader::kMaxUnitSize, 'x'));
    EXPECT_EQ(kinds(units), std::vector{UnitKind::Malformed});
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    reader.feed(all + all);
    reader.flushPartial();
    EXPECT_EQ(kinds(reader.feed("\x1B.05}")), std::vector{UnitKind::Frame});
}

}  // namespace
}  // namespace ecfsim
