#include <gtest/gtest.h>

#include "TestText.h"
#include "commands/ChequeCommands.h"

using testsupport::spaces;

using namespace cuponex;

namespace {

ChequeLayoutFields exampleLayout() {
    ChequeLayoutFields fields;
    fields.bank = "001";
    fields.rows = {{{"1", false, "50"},
                    {"3", false, "05"},
                    {"4", false, "01"},
                    {"5", false, "08"},
                    {"7", false, "30"}}};
    fields.dayColumn = "45";
    fields.monthColumn = "50";
    fields.yearColumn = "62";
    return fields;
}

ChequeFields exampleCheque() {
    ChequeFields fields;
    fields.readCmc7 = true;
    fields.bank = "1";
    fields.value = "150,00";
    fields.line1 = "OBS";
    fields.yearDigitsItem = 3;
    fields.date = "06122026";
    return fields;
}

const std::string exampleChequeText =
    "51S001000000015000NOBS" + spaces(57) + spaces(60) + "4" + "06122026";

}  // namespace

TEST(ChequeNamesCommand, PadsEachName) {
    const std::string text = chequeNamesCommand({"FULANO", "CIDADE", "REAL", "REAIS"});
    EXPECT_EQ(text, "44FULANO" + spaces(74) + "CIDADE" + spaces(24) + "REAL" + spaces(16) +
                        "REAIS" + spaces(15));
    EXPECT_EQ(text.size(), 152u);
    EXPECT_EQ(chequeNamesCommand({}), "44" + spaces(150));
    const std::string fullPayee(80, 'P');
    EXPECT_EQ(chequeNamesCommand({fullPayee, "", "", ""}).substr(2, 81), fullPayee + " ");
}

TEST(ChequeLayoutCommand, ExamplesAndUntouchedFields) {
    ChequeLayoutFields fields = exampleLayout();
    EXPECT_EQ(chequeLayoutCommand(fields), "450011N503N054N015N087N30455062");
    fields.rows[1].halfLine = true;
    fields.rows[4].halfLine = true;
    EXPECT_EQ(chequeLayoutCommand(fields), "450011N503S054N015N087S30455062");
    fields.bank = "1";  // never left: right-justified as typed
    fields.rows[0].column = "5";
    EXPECT_EQ(chequeLayoutCommand(fields).substr(2, 7), "  11N 5");

    const std::string untouched = chequeLayoutCommand({});
    EXPECT_EQ(untouched, "45" + spaces(3) + " N  " + " N  " + " N  " + " N  " + " N  " + spaces(6));
    EXPECT_EQ(untouched.size(), 31u);
}

TEST(BankOptionCommand, NumberUnpadded) {
    const struct {
        bool bank;
        const char* number;
        const char* text;
    } cases[] = {
        {true, "237", "46S237"}, {false, "005", "46N005"}, {true, "", "46S"}, {false, "7", "46N7"}};
    for (const auto& c : cases) EXPECT_EQ(bankOptionCommand(c.bank, c.number), c.text) << c.number;
}

TEST(RadioChoiceCommands, ItemsPerLine) {
    const struct {
        PrinterLine line;
        int item;
        std::optional<std::string> clearTable;
        std::optional<std::string> readCmc7;
    } cases[] = {
        {PrinterLine::L6100, 0, "48S", "490"},
        {PrinterLine::L6100, 1, "48N", "491"},
        {PrinterLine::RX, 2, "48P", "492"},
        {PrinterLine::RX, 3, std::nullopt, "493"},
        {PrinterLine::RX, 4, std::nullopt, std::nullopt},
        {PrinterLine::L6100, -1, std::nullopt, std::nullopt},
        {PrinterLine::L4100, 0, std::nullopt, std::nullopt},
        {PrinterLine::L4100, -1, std::nullopt, std::nullopt},
        {PrinterLine::None, 1, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const int line = static_cast<int>(c.line);
        EXPECT_EQ(clearChequeTableCommand(c.line, c.item), c.clearTable) << line << " " << c.item;
        EXPECT_EQ(readCmc7Command(c.line, c.item), c.readCmc7) << line << " " << c.item;
    }
}

TEST(ChequeCommand, ExampleOnTheLinesThatHaveIt) {
    const ChequeFields fields = exampleCheque();
    EXPECT_EQ(exampleChequeText.size(), 148u);
    EXPECT_EQ(chequeCommand(PrinterLine::L6100, fields), exampleChequeText);
    EXPECT_EQ(chequeCommand(PrinterLine::RX, fields), exampleChequeText);
    EXPECT_EQ(chequeCommand(PrinterLine::L4100, fields), std::nullopt);
    EXPECT_EQ(chequeCommand(PrinterLine::None, fields), std::nullopt);
}

TEST(ChequeCommand, EdgeCases) {
    const struct {
        const char* name;
        void (*change)(ChequeFields&);
        std::size_t at;
        std::string expected;
    } cases[] = {
        {"no CMC7 reading", [](ChequeFields& f) { f.readCmc7 = false; }, 2, "N"},
        {"bank not a number", [](ChequeFields& f) { f.bank = "1A"; }, 3, "000"},
        {"bank empty", [](ChequeFields& f) { f.bank = ""; }, 3, "000"},
        {"amount never entered", [](ChequeFields& f) { f.value = ""; }, 6, "000000000000"},
        {"amount not a number", [](ChequeFields& f) { f.value = "1,2x"; }, 6, "000000000000"},
        {"largest amount", [](ChequeFields& f) { f.value = "9999999999,99"; }, 6, "999999999999"},
        {"no year digits chosen", [](ChequeFields& f) { f.yearDigitsItem = -1; }, 139, "0"},
        {"first year digits item", [](ChequeFields& f) { f.yearDigitsItem = 0; }, 139, "1"},
        {"date untouched", [](ChequeFields& f) { f.date = ""; }, 140, spaces(8)},
        {"date partly typed", [](ChequeFields& f) { f.date = "0612    "; }, 140, "0612    "},
        {"full lines", [](ChequeFields& f) { f.line2 = std::string(60, 'B'); }, 79,
         std::string(60, 'B')},
    };
    for (const auto& c : cases) {
        ChequeFields fields = exampleCheque();
        c.change(fields);
        const std::string text = chequeCommand(PrinterLine::RX, fields).value();
        EXPECT_EQ(text.size(), 148u) << c.name;
        EXPECT_EQ(text.substr(c.at, c.expected.size()), c.expected) << c.name;
    }
}

TEST(ChequeCommand, AYearDigitsItemWithoutACodeSendsNothing) {
    for (const int item : {-2, 4}) {
        ChequeFields fields = exampleCheque();
        fields.yearDigitsItem = item;
        EXPECT_EQ(chequeCommand(PrinterLine::RX, fields), std::nullopt) << item;
    }
}
