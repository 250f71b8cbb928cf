#include "commands/ChequeCommands.h"

#include "core/CommandFormat.h"
#include "core/ItemCode.h"
#include "core/Numbers.h"

namespace cuponex {

namespace {

bool hasChequeFunctions(PrinterLine line) {
    return line == PrinterLine::L6100 || line == PrinterLine::RX;
}

// The command code, then the code of the radio group's chosen item; nothing
// without a choice or on a line without the command.
std::optional<std::string> radioChoiceCommand(const char* code, std::string_view codes,
                                              PrinterLine line, int chosenItem) {
    if (!hasChequeFunctions(line)) return std::nullopt;
    const std::optional<char> item = itemCode(codes, chosenItem);
    if (!item) return std::nullopt;
    return std::string(code) + *item;
}

}  // namespace

std::string chequeNamesCommand(const ChequeNamesFields& fields) {
    return formatPattern("44%-80s%-30s%-20s%-20s",
                         {fields.payee, fields.city, fields.currency, fields.currencyPlural});
}

std::string chequeLayoutCommand(const ChequeLayoutFields& fields) {
    std::string text = formatPattern("45%3s", {fields.bank});
    for (const ChequeLayoutRow& row : fields.rows)
        text += formatPattern("%1s%1s%2s", {row.line, yesNo(row.halfLine), row.column});
    return text +
           formatPattern("%2s%2s%2s", {fields.dayColumn, fields.monthColumn, fields.yearColumn});
}

std::string bankOptionCommand(bool bank, std::string_view number) {
    return "46" + std::string(yesNo(bank)) + std::string(number);
}

std::optional<std::string> clearChequeTableCommand(PrinterLine line, int chosenItem) {
    // "Zera a tabela", "Mantém o conteúdo atual", "Assume a tabela padrão"
    return radioChoiceCommand("48", "SNP", line, chosenItem);
}

std::optional<std::string> readCmc7Command(PrinterLine line, int chosenItem) {
    return radioChoiceCommand("49", "0123", line, chosenItem);
}

std::optional<std::string> chequeCommand(PrinterLine line, const ChequeFields& fields) {
    if (!hasChequeFunctions(line)) return std::nullopt;
    // No item chosen gives 0 digits; the items "1" to "4" give their own number.
    const std::optional<char> yearDigits = itemCodeOr('0', "1234", fields.yearDigitsItem);
    if (!yearDigits) return std::nullopt;
    // The place letter of the cheque printing command is always "N" here.
    return formatPattern(
        "51%s%.3d%.12d%s%-60s%-60s%s%8s",
        {yesNo(fields.readCmc7), integerOrZero(fields.bank), amountInteger(fields.value), "N",
         fields.line1, fields.line2, std::string(1, *yearDigits), fields.date});
}

}  // namespace cuponex
