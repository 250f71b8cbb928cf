#include <gtest/gtest.h>

#include "TestText.h"
#include "commands/IdentificationCommands.h"

using testsupport::spaces;

using namespace cuponex;

namespace {

const std::string ident20 = spaces(9) + "12345678901";

CustomerIdFields customer(std::string title, std::string coo = "", std::string type = "",
                          std::string instalments = "", bool secondTefCopy = false) {
    return {title, coo, type, "12345678901", instalments, secondTefCopy};
}

AuthenticationFields authentication(std::string text = "") {
    return {"1", "ABC123", "2", true, false, text};
}

}  // namespace

TEST(TaxpayerIdCommand, AtMostTwentyCharactersUnpadded) {
    EXPECT_EQ(taxpayerIdCommand("12345678901"), "1712345678901");
    EXPECT_EQ(taxpayerIdCommand(""), "17");
    EXPECT_EQ(taxpayerIdCommand("123456789012345678901"), "1712345678901234567890");
}

TEST(CustomerIdCommand, FormsByTitleLineAndTefCopy) {
    struct Case {
        PrinterLine line;
        CustomerIdFields fields;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {PrinterLine::L4100, customer("00", "0123", "01"), "1900012301" + ident20},
        {PrinterLine::L4100, customer("05", "0123", "01"), "1905" + spaces(4) + ident20},
        {PrinterLine::L6100, customer("00", "0123", "01", "3"), "1900012301" + ident20 + "03"},
        {PrinterLine::L6100, customer("05", "", "", "12"), "1905" + spaces(4) + ident20 + "12"},
        // COO and type never entered.
        {PrinterLine::L4100, customer("00"), "1900000000" + ident20},
        // A title never entered is not "00": the short form.
        {PrinterLine::L4100, customer(""), "1900" + spaces(4) + ident20},
        {PrinterLine::L6100, customer("00", "0123", "01", "x"), "1900012301" + ident20 + "00"},
        {PrinterLine::RX, customer("00", "0123", "01", "3"), std::nullopt},
        // The second TEF copy, on every line, whatever the fields hold.
        {PrinterLine::L4100, customer("00", "0123", "01", "3", true), "1900"},
        {PrinterLine::L6100, customer("05", "", "", "", true), "1900"},
        {PrinterLine::RX, customer("00", "0123", "01", "3", true), "1900"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(customerIdCommand(c.line, c.fields), c.expected)
            << "line " << static_cast<int>(c.line) << " title '" << c.fields.title << "'";
    }
    EXPECT_EQ(customerIdCommand(PrinterLine::L4100, customer("00", "123", "1"))->size(), 30u);
    EXPECT_EQ(customerIdCommand(PrinterLine::L4100, customer("05"))->size(), 28u);
}

TEST(AuthenticationCommand, FormsByLine) {
    const std::string short4100 = "201SABC123" + spaces(9) + "2N";
    EXPECT_EQ(authenticationCommand(PrinterLine::L4100, authentication("PEDIDO 10")), short4100);
    EXPECT_EQ(authenticationCommand(PrinterLine::L6100, authentication("PEDIDO 10")),
              short4100 + "PEDIDO 10" + spaces(11));
    EXPECT_EQ(authenticationCommand(PrinterLine::L6100, authentication()), short4100);
    EXPECT_EQ(authenticationCommand(PrinterLine::L6100, authentication(" ")), short4100);
    EXPECT_EQ(authenticationCommand(PrinterLine::L6100, authentication("  ")),
              short4100 + spaces(20));
    EXPECT_EQ(authenticationCommand(PrinterLine::RX, authentication("PEDIDO 10")), std::nullopt);
    // Attribute and header never entered contribute nothing.
    EXPECT_EQ(authenticationCommand(PrinterLine::L4100, {"", "", "", false, true, ""}),
              "20N" + spaces(15) + "S");
}
