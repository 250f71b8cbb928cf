#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commands/ReportCommands.h"

using namespace cuponex;

namespace {
using Text = std::optional<std::string>;
constexpr PrinterLine kLines[] = {PrinterLine::L4100, PrinterLine::L6100, PrinterLine::RX,
                                  PrinterLine::None};
}  // namespace

TEST(ReadingXCommand, ByLine) {
    struct Case {
        bool checked;
        const char* title;
        Text expected[4];  // 4100, 6100, RX, no line
    };
    const Case cases[] = {
        {true, "", {"13S", "13S", "13S", std::nullopt}},
        {false, "", {"13N", "13N", "13", std::nullopt}},
        {true, "CAIXA 1", {"13S", "13S", "13SCAIXA 1", std::nullopt}},
        {false, "CAIXA 1", {"13N", "13N", "13", std::nullopt}},
        // The title goes as typed: neither trimmed, padded nor cut.
        {true, " 100% \xC9", {"13S", "13S", "13S 100% \xC9", std::nullopt}},
    };
    for (const Case& c : cases)
        for (int line = 0; line < 4; ++line)
            EXPECT_EQ(readingXCommand(kLines[line], c.checked, c.title), c.expected[line])
                << c.checked << " '" << c.title << "' line " << line;
    const std::string longTitle(300, 'T');
    EXPECT_EQ(readingXCommand(PrinterLine::RX, true, longTitle), "13S" + longTitle);
}

TEST(ReductionZCommand, ByLine) {
    struct Case {
        bool checked;
        const char* date;
        const char* time;
        Text expected[4];
    };
    const Case cases[] = {
        {true, "061226", "134501", {"14S", "14S", "14S061226134501", std::nullopt}},
        {false, "061226", "134501", {"14N", "14N", "14S061226134501", std::nullopt}},
        // Before the window's clock first ticks both fields are empty.
        {false, "", "", {"14N", "14N", "14S", std::nullopt}},
    };
    for (const Case& c : cases)
        for (int line = 0; line < 4; ++line)
            EXPECT_EQ(reductionZCommand(kLines[line], c.checked, c.date, c.time), c.expected[line])
                << c.checked << " " << c.date << " line " << line;
}

TEST(ReductionRangeCommand, Examples) {
    struct Case {
        const char* first;
        const char* last;
        const char* expected;
    };
    const Case cases[] = {
        {"12", "345", "1500120345"},    {"", "", "1500000000"},      {"7", "", "1500070000"},
        {"0012", "0345", "1500120345"}, {"9999", "1", "1599990001"}, {"1a", "1,5", "1500000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reductionRangeCommand(c.first, c.last), c.expected) << c.first << "/" << c.last;
}

TEST(DateRangeCommand, Examples) {
    struct Case {
        const char* first;
        const char* last;
        const char* expected;
    };
    const Case cases[] = {
        {"010106", "311206", "16010106311206"},
        {"", "", "16000000000000"},
        // A day below 10 keeps its leading zero.
        {"050206", "090306", "16050206090306"},
        // Positions still blank at the end: the date is not a number yet.
        {"0101  ", "311206", "16000000311206"},
        {"01 106", "3", "16000000000003"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateRangeCommand(c.first, c.last), c.expected) << c.first << "/" << c.last;
}

TEST(ReadingTypeCommands, ItemCaptions) {
    struct Case {
        int item;
        Text type27;
        Text type29;
    };
    const Case cases[] = {
        {0, "271", "291"},
        {8, "279", "299"},
        {9, "27A", "29A"},
        {11, "27C", "29C"},
        {16, "27H", "29H"},
        {17, std::nullopt, "29I"},
        {20, std::nullopt, "29L"},
        {21, std::nullopt, std::nullopt},
        {-1, std::nullopt, std::nullopt},  // nothing chosen: nothing to send
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readingType27Command(c.item), c.type27) << c.item;
        EXPECT_EQ(readingType29Command(c.item), c.type29) << c.item;
    }
}

TEST(ReadingType28Command, ByLine) {
    struct Case {
        int item;
        Text expected[4];  // 4100, 6100, RX, no line
    };
    const Case cases[] = {
        {0, {"28", "28B", std::nullopt, std::nullopt}},
        {2, {"28", "28D", std::nullopt, std::nullopt}},
        {4, {"28", "28F", std::nullopt, std::nullopt}},
        {5, {"28", "28", std::nullopt, std::nullopt}},  // "Sem parâmetro"
        {-1, {"28", std::nullopt, std::nullopt, std::nullopt}},
        {6, {"28", std::nullopt, std::nullopt, std::nullopt}},
    };
    for (const Case& c : cases)
        for (int line = 0; line < 4; ++line)
            EXPECT_EQ(readingType28Command(kLines[line], 28, c.item), c.expected[line])
                << c.item << " line " << line;
    // Line 4100 sends the button's Tag as the code.
    EXPECT_EQ(readingType28Command(PrinterLine::L4100, 5, 0), "05");
}
