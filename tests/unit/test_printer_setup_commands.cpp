#include <gtest/gtest.h>

#include "TestText.h"
#include "commands/PrinterSetupCommands.h"

using testsupport::spaces;

using namespace cuponex;

namespace {

PrintingOptionsFields exampleOptions() {
    PrintingOptionsFields fields;
    fields.cents = true;
    fields.ecf = "001";
    fields.printSign = true;
    fields.sign = "R$";
    fields.interval = "0010";
    fields.issDiscount = false;
    return fields;
}

}  // namespace

TEST(PrintingOptionsCommand, ByLine) {
    const PrintingOptionsFields fields = exampleOptions();
    EXPECT_EQ(printingOptionsCommand(PrinterLine::L4100, fields), "30S001SN   R$0010SN");
    EXPECT_EQ(printingOptionsCommand(PrinterLine::L6100, fields), "30S001SN   R$0010SN");
    EXPECT_EQ(printingOptionsCommand(PrinterLine::RX, fields), std::nullopt);
    EXPECT_EQ(printingOptionsCommand(PrinterLine::None, fields), std::nullopt);
}

TEST(PrintingOptionsCommand, FieldsInTheirPlaces) {
    // Empty numbers are zeros, an empty sign five spaces.
    EXPECT_EQ(printingOptionsCommand(PrinterLine::L4100, {}), "30N000NN     0000SS");
    PrintingOptionsFields fields;
    fields.itemTitle = true;  // after the sign flag
    fields.iof = false;
    fields.sign = "US$$$";
    fields.ecf = "12x";  // not a number
    fields.interval = "9999";
    EXPECT_EQ(printingOptionsCommand(PrinterLine::L6100, fields), "30N000NSUS$$$9999NS");
    EXPECT_EQ(printingOptionsCommand(PrinterLine::L6100, fields)->size(), 19u);
}

TEST(ClicheCommand, WorkedExamples) {
    ClicheFields fields;
    fields.skip = "0";
    fields.rows[0] = {"1", "LOJA EXEMPLO"};
    for (std::size_t row = 1; row < 5; ++row) fields.rows[row] = {"0", ""};
    std::string others;
    for (int row = 2; row <= 5; ++row) others += "0" + spaces(40);
    const std::string expected = "31S0N1LOJA EXEMPLO" + spaces(28) + others;
    EXPECT_EQ(expected.size(), 210u);
    EXPECT_EQ(clicheCommand(fields), expected);

    // Never-entered fields read as plain zeros; the flag follows the skip.
    ClicheFields empty;
    empty.secondCoupon = true;
    empty.rows[4] = {"7", std::string(40, 'X')};
    std::string rows;
    for (int row = 1; row <= 4; ++row) rows += "0" + spaces(40);
    EXPECT_EQ(clicheCommand(empty), "31S0S" + rows + "7" + std::string(40, 'X'));
    empty.skip = "9";
    EXPECT_EQ(clicheCommand(empty).substr(0, 5), "31S9S");
}

TEST(TaxRateTable, EntriesCollectedAndSentWhole) {
    std::string entries = taxRateEntry("T1", "18,00");
    entries += taxRateEntry("S01", "5,00");
    EXPECT_EQ(taxRateTableCommand(entries), "33T1 1800S010500");
    EXPECT_EQ(taxRateTableCommand(""), "33");

    EXPECT_EQ(taxRateEntry("T1", ""), "T1 0000");
    EXPECT_EQ(taxRateEntry("", "0,00"), "   0000");
    EXPECT_EQ(taxRateEntry("F", "x"), "F  0000");
    EXPECT_EQ(taxRateEntry("I", "99,99"), "I  9999");
}

TEST(RegistrationCommand, PasswordOnlyWhenEnabled) {
    const std::string numbers = "12.345.678/0001-90    123.456.789.012      1234567         ";
    EXPECT_EQ(
        registrationCommand("12.345.678/0001-90", "123.456.789.012", "1234567", false, "SEGREDO"),
        "34" + numbers);
    EXPECT_EQ(registrationCommand("12.345.678/0001-90", "123.456.789.012", "1234567", true, ""),
              "34" + numbers + spaces(40));
    EXPECT_EQ(registrationCommand("", "", "", true, "SEGREDO"),
              "34" + spaces(59) + "SEGREDO" + spaces(33));
    EXPECT_EQ(registrationCommand("", "", "", false, "").size(), 61u);
}

TEST(DateTimeCommand, TimeBeforeDate) {
    EXPECT_EQ(dateTimeCommand("061226", "134500"), "35134500061226");
    EXPECT_EQ(dateTimeCommand("", ""), "35");
    EXPECT_EQ(dateTimeCommand("", "134500"), "35134500");
    EXPECT_EQ(dateTimeCommand("0612  ", "13    "), "3513    0612  ");
}

TEST(SummerTimeCommand, Flag) {
    EXPECT_EQ(summerTimeCommand(true), "36S");
    EXPECT_EQ(summerTimeCommand(false), "36N");
}
