#include <gtest/gtest.h>

#include "commands/OptionCommands.h"

using namespace cuponex;

TEST(OptionCommands, CommandConfirmation) {
    EXPECT_EQ(commandConfirmationCommand(true), "41S");
    EXPECT_EQ(commandConfirmationCommand(false), "41N");
}

TEST(OptionCommands, PrintOptionsInBoxOrder) {
    struct Case {
        PrintOptionFields fields;
        const char* text;
    };
    const Case cases[] = {
        {{}, "50NNNN"},
        {{true, true, true, true}, "50SSSS"},
        {{false, false, true, false}, "50NNSN"},
        {{true, false, false, false}, "50SNNN"},
        {{false, true, false, false}, "50NSNN"},
        {{false, false, false, true}, "50NNNS"},
    };
    for (const Case& c : cases) EXPECT_EQ(printOptionsCommand(c.fields), c.text);
}

TEST(OptionCommands, ExemptionTypesOnlyOnRX) {
    const std::array<std::string, 6> start{"1", "1", "1", "1", "1", "1"};
    const std::array<std::string, 6> chosen{"1", "3", "1", "1", "1", "2"};
    EXPECT_EQ(exemptionTypesCommand(PrinterLine::RX, start), "54|1|1|1|1|1|1");
    EXPECT_EQ(exemptionTypesCommand(PrinterLine::RX, chosen), "54|1|3|1|1|1|2");
    EXPECT_EQ(exemptionTypesCommand(PrinterLine::RX, chosen)->size(), 14u);
    EXPECT_EQ(exemptionTypesCommand(PrinterLine::L4100, start), std::nullopt);
    EXPECT_EQ(exemptionTypesCommand(PrinterLine::L6100, start), std::nullopt);
    EXPECT_EQ(exemptionTypesCommand(PrinterLine::None, start), std::nullopt);
}
