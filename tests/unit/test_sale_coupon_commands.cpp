#include <gtest/gtest.h>

#include "TestText.h"
#include "commands/SaleCouponCommands.h"
#include "core/CommandFormat.h"
#include "core/Numbers.h"

using testsupport::spaces;

using namespace cuponex;

namespace {

ItemSaleFields coffee() {
    ItemSaleFields fields;
    fields.code = "123";
    fields.description = "CAFE";
    fields.unitPrice = "3,50";
    fields.quantity = "2,000";
    fields.total = "7,00";
    fields.taxRate = "T1";
    return fields;
}

const std::string coffeeText =
    "01          1230002000000000350000000000700CAFE                    T1 ";

template <typename Call>
std::string conversionMessage(Call call) {
    try {
        call();
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(ItemSaleCommand, WorkedExamples) {
    ItemSaleFields fields = coffee();
    EXPECT_EQ(coffeeText.size(), 70u);
    EXPECT_EQ(itemSaleCommand(fields), coffeeText);
    fields.tamcod = "08";
    EXPECT_EQ(itemSaleCommand(fields), coffeeText + "08");
    fields.extraDescription = "MOIDO";
    EXPECT_EQ(itemSaleCommand(fields), coffeeText + "MOIDO" + spaces(35));
}

TEST(ItemSaleCommand, EdgeCases) {
    EXPECT_EQ(itemSaleCommand({}), "01" + spaces(13) + "0000000000000000000000000000" + spaces(27));
    ItemSaleFields fields = coffee();
    fields.tamcod = "00";
    EXPECT_EQ(itemSaleCommand(fields), coffeeText);
    fields.tamcod = "08";
    fields.extraDescription = " ";
    EXPECT_EQ(itemSaleCommand(fields), coffeeText + spaces(40));
    fields.extraDescription = std::string(42, 'X');
    EXPECT_EQ(itemSaleCommand(fields), coffeeText + fields.extraDescription);

    fields = coffee();
    fields.unitPrice = "3,500";  // written with three decimals after a "~" description
    fields.description = "~CAFE";
    EXPECT_EQ(itemSaleCommand(fields).substr(22, 9), "000003500");
    fields.total = "99999999999,99";  // more than 32 bits, one digit over the width
    EXPECT_EQ(itemSaleCommand(fields).substr(31, 14), "9999999999999~");
    fields = coffee();
    fields.quantity = "-1,000";  // one character over the width
    EXPECT_EQ(itemSaleCommand(fields).substr(15, 9), "-00010000");
}

TEST(DiscountCommands, ItemDiscountByLine) {
    EXPECT_EQ(itemDiscountCommand(PrinterLine::L4100, "12", "1,50"), "020012000000000150");
    EXPECT_EQ(itemDiscountCommand(PrinterLine::L4100, "12,5", "0,00"), "020125000000000000");
    EXPECT_EQ(itemDiscountCommand(PrinterLine::L4100, "AB", ""), "020000000000000000");
    EXPECT_EQ(itemDiscountCommand(PrinterLine::L6100, "10,00", ""), "021000000000000000");
    EXPECT_EQ(itemDiscountCommand(PrinterLine::L6100, "100", "0,00"), "0210000000000000000");
    EXPECT_EQ(itemDiscountCommand(PrinterLine::RX, "10,00", "1,00"), std::nullopt);
}

TEST(DiscountCommands, SubtotalDiscountByLine) {
    EXPECT_EQ(subtotalDiscountCommand(PrinterLine::L4100, "5", "2,00", true),
              "030005000000000200S");
    EXPECT_EQ(subtotalDiscountCommand(PrinterLine::L6100, "2,5", "0,00", false),
              "030250000000000000N");
    EXPECT_EQ(subtotalDiscountCommand(PrinterLine::RX, "2,5", "0,00", false), std::nullopt);
}

TEST(DiscountCommands, PercentageThatIsNoNumberIsReported) {
    EXPECT_EQ(conversionMessage([] { itemDiscountCommand(PrinterLine::L6100, "", "1,00"); }),
              "'' is not a valid floating point value");
    EXPECT_EQ(
        conversionMessage([] { subtotalDiscountCommand(PrinterLine::L6100, "1,2,3", "", true); }),
        "'1,2,3' is not a valid floating point value");
}

TEST(CancelItemCommand, AppendsItemAsTyped) {
    EXPECT_EQ(cancelItemCommand("007"), "04007");
    EXPECT_EQ(cancelItemCommand(""), "04");
}

TEST(PaymentTransferCommand, CodesWithoutFill) {
    EXPECT_EQ(paymentTransferCommand("01", "25,00", "02"), "060100000000250002");
    EXPECT_EQ(paymentTransferCommand("1", "25,00", "02"), "06100000000250002");
    EXPECT_EQ(paymentTransferCommand("01", "", "02"),
              "0601000000000000"
              "02");
}

TEST(LegendCommand, CodeValueThenDescription) {
    EXPECT_EQ(legendCommand("3", "1,00", "TROCO"), "0703000000000100TROCO" + spaces(35));
    EXPECT_EQ(legendCommand("", "", ""), "0700000000000000" + spaces(40));
}

TEST(VoucherTextCommand, AttributeByChosenItem) {
    EXPECT_EQ(voucherTextCommand(2, "OBRIGADO"), "081OBRIGADO" + spaces(32));
    EXPECT_EQ(voucherTextCommand(4, "X"), "089X" + spaces(39));
    EXPECT_EQ(voucherTextCommand(0, "OBRIGADO"), "08");
    EXPECT_EQ(voucherTextCommand(-1, "OBRIGADO"), "08OBRIGADO" + spaces(32));
    EXPECT_EQ(voucherTextCommand(5, ""), std::nullopt);
    EXPECT_EQ(voucherTextCommand(-2, ""), std::nullopt);
}

TEST(PaymentCommand, EntriesAreCollectedAndSentWhole) {
    std::string entries = paymentEntry("01", "10,00", "", "");
    entries += paymentEntry("02", "5,50", "CARTAO", "");
    EXPECT_EQ(entries,
              "01000000001000"
              "02000000000550{CARTAO" +
                  spaces(74));
    EXPECT_EQ(paymentCommand(entries).size(), 111u);
    EXPECT_EQ(paymentCommand(entries), "10" + entries);
    EXPECT_EQ(paymentCommand(""), "10");

    EXPECT_EQ(paymentEntry("", "", "  ", " "), "00000000000000");
    EXPECT_EQ(paymentEntry("03", "99999999999,99", "", "B"),
              "039999999999999{" + spaces(40) + "B" + spaces(39));
}

TEST(SurchargeCommand, WorkedExamples) {
    EXPECT_EQ(surchargeCommand(0, "10,00", "0,00", false), "1151100000000000000N");
    EXPECT_EQ(surchargeCommand(1, "2,50", "12,34", true), "1152025000000001234S");
}

TEST(SurchargeCommand, StrictConversionChecksPercentageFirst) {
    EXPECT_EQ(conversionMessage([] { surchargeCommand(0, "", "", false); }),
              "'' is not a valid integer value");
    EXPECT_EQ(conversionMessage([] { surchargeCommand(0, "1,2,a", "x", false); }),
              "'12a' is not a valid integer value");
    EXPECT_EQ(conversionMessage([] { surchargeCommand(0, "1,00", "", false); }),
              "'' is not a valid integer value");
}

TEST(IdentifierListCommand, ElementsAppendedWithoutFill) {
    std::string list = identifierElement("03", "ABC");
    list += identifierElement("10", "XYZ");
    EXPECT_EQ(identifierListCommand("1", list), "09|1|03ABC|10XYZ");
    EXPECT_EQ(identifierListCommand("1", ""), "09|1");
    EXPECT_EQ(identifierListCommand("", list), "09||03ABC|10XYZ");
}

TEST(ClosingCommand, RowsByLine) {
    ClosingFields fields;
    fields.rows[0] = {"1", "VOLTE SEMPRE"};
    std::string emptyRows;
    for (int row = 2; row <= 8; ++row) emptyRows += "0" + spaces(40);
    const std::string rows = "1VOLTE SEMPRE" + spaces(28) + emptyRows;

    EXPECT_EQ(closingCommand(PrinterLine::L4100, fields), "12NN" + rows);
    EXPECT_EQ(closingCommand(PrinterLine::L6100, fields), "12N" + rows);
    EXPECT_EQ(closingCommand(PrinterLine::RX, fields), std::nullopt);
    EXPECT_EQ(closingCommand(static_cast<PrinterLine>(-1), fields), std::nullopt);

    fields.linked = true;
    EXPECT_EQ(closingCommand(PrinterLine::L4100, fields), "12SN" + rows);
    EXPECT_EQ(closingCommand(PrinterLine::L6100, fields), "12N" + rows);

    fields.rows[0].attribute = "x";
    EXPECT_EQ(closingCommand(PrinterLine::L6100, fields)->substr(3, 1), "0");
}

TEST(ClosingCommand, WithoutParametersOnEveryLine) {
    ClosingFields fields;
    fields.withoutParameters = true;
    fields.rows[0] = {"1", "VOLTE SEMPRE"};
    for (auto line : {PrinterLine::L4100, PrinterLine::L6100, PrinterLine::RX}) {
        EXPECT_EQ(closingCommand(line, fields), "12");
    }
}
