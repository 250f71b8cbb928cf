#include <gtest/gtest.h>

#include "TestText.h"
#include "commands/TableCommands.h"

using testsupport::spaces;

using namespace cuponex;

TEST(LegendTable, RowsAndCommand) {
    EXPECT_EQ(legendRow("ABC"), "ABC" + spaces(12));
    EXPECT_EQ(legendRow(""), spaces(15));
    EXPECT_EQ(legendRow("123456789012345"), "123456789012345");
    EXPECT_EQ(legendRow("1234567890123456"), "1234567890123456");  // longer: not cut

    const std::string rows = legendRow("ABC") + legendRow("DEFGH");
    EXPECT_EQ(rows, "ABC" + spaces(12) + "DEFGH" + spaces(10));
    EXPECT_EQ(legendTableCommand(false, rows), "38N" + rows);
    EXPECT_EQ(legendTableCommand(true, ""), "38S");
    EXPECT_EQ(legendTableCommand(false, "half row"), "38Nhalf row");  // sent as it stands
}

TEST(PaymentModeTable, RowsByBoxes) {
    struct Case {
        bool linked, cheque, counter;
        std::string name, row;
    };
    const Case cases[] = {
        {false, false, false, "DINHEIRO", "NDINHEIRO" + spaces(7)},
        {true, true, false, "CHEQUE", "S=CHEQUE" + spaces(8)},
        {true, false, true, "VALE", "S#VALE" + spaces(10)},
        {true, false, false, "CARTAO", "SCARTAO" + spaces(9)},
        {false, true, false, "", "N=" + spaces(14)},
        {false, false, true, "12345678901234", "N#12345678901234"},
        {false, false, false, "123456789012345", "N123456789012345"},
        // Both boxes (never both checked on the tab): the cheque marker wins.
        {false, true, true, "X", "N=X" + spaces(13)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(paymentModeRow(c.linked, c.cheque, c.counter, c.name), c.row);
        EXPECT_EQ(c.row.size(), 16u);
    }
    EXPECT_EQ(paymentModeNameLimit(false, false), 15);
    EXPECT_EQ(paymentModeNameLimit(true, false), 14);
    EXPECT_EQ(paymentModeNameLimit(false, true), 14);

    const std::string rows = paymentModeRow(false, false, false, "DINHEIRO") +
                             paymentModeRow(true, true, false, "CHEQUE");
    EXPECT_EQ(paymentModeTableCommand(rows), "39NDINHEIRO" + spaces(7) + "S=CHEQUE" + spaces(8));
    EXPECT_EQ(paymentModeTableCommand(""), "39");
}

TEST(LegendChanges, RecordsByKind) {
    const std::string fields = "TITULO" + spaces(9) + "ABC" + spaces(12) + "XYZ" + spaces(12);
    EXPECT_EQ(legendChangeRecord(0, "TITULO", "ABC", "XYZ"), "+" + fields);
    EXPECT_EQ(legendChangeRecord(1, "TITULO", "ABC", "XYZ"), "=" + fields);
    EXPECT_EQ(legendChangeRecord(2, "TITULO", "ABC", "XYZ"), "-" + fields);
    EXPECT_EQ(legendChangeRecord(2, "", "", "")->size(), 46u);  // every field always written
    EXPECT_EQ(legendChangeRecord(-1, "TITULO", "ABC", "XYZ"), std::nullopt);
    EXPECT_EQ(legendChangeRecord(3, "TITULO", "ABC", "XYZ"), std::nullopt);

    EXPECT_EQ(legendChangesCommand("=" + fields), "47=" + fields);
    EXPECT_EQ(legendChangesCommand(""), "47");
}
