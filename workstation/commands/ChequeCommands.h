#pragma once
// Command texts of the cheque function tabs .44 to .46, .48, .49 and .51,
// built from the field texts as the send handlers read them (after the
// fields' exit rules). Each function returns the text without its frame;
// std::nullopt means nothing is to be sent.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/PrinterLine.h"

namespace cuponex {

// Tab .44, command 44: the names printed on cheques.
struct ChequeNamesFields {
    std::string payee;           // edFavorecido
    std::string city;            // edMunicipio
    std::string currency;        // edMoeda, singular
    std::string currencyPlural;  // edMoedas
};
std::string chequeNamesCommand(const ChequeNamesFields& fields);

// Tab .45, command 45: where each item is printed on the cheque.
struct ChequeLayoutRow {
    std::string line;       // edL..., one digit
    bool halfLine = false;  // cbM..., "Meia Linha"
    std::string column;     // edC..., two digits
};
struct ChequeLayoutFields {
    std::string bank;  // edBancoCheque
    // The rows "Valor", "Linha 1", "Linha 2" (the amount in words),
    // "Favorecido" and "Municipio", in that order.
    std::array<ChequeLayoutRow, 5> rows;
    std::string dayColumn;    // edCDia
    std::string monthColumn;  // edCmes
    std::string yearColumn;   // edCano
};
std::string chequeLayoutCommand(const ChequeLayoutFields& fields);

// Tab .46, command 46: the number as typed, unpadded.
std::string bankOptionCommand(bool bank, std::string_view number);

// Tab .48, command 48. chosenItem is the item index of rgLimpaTabCheq (-1
// none). Only lines 6100 and RX have the command; nothing without a choice.
std::optional<std::string> clearChequeTableCommand(PrinterLine line, int chosenItem);

// Tab .49, command 49. chosenItem is the item index of rgLeituraCmc7 (-1
// none). Only lines 6100 and RX have the command; nothing without a choice.
std::optional<std::string> readCmc7Command(PrinterLine line, int chosenItem);

// Tab .51, command 51: a cheque with optional CMC7 reading. Only lines 6100
// and RX have the command.
struct ChequeFields {
    bool readCmc7 = false;    // cbCmc7
    std::string bank;         // edBancoCmc7, read as an integer (0 when not one)
    std::string value;        // edValCheq, two decimals
    std::string line1;        // edLinhaCheq1
    std::string line2;        // edLinhaCheq2
    int yearDigitsItem = -1;  // item index of rgDigCheq ("1" to "4"), -1 none: "0"
    std::string date;         // mskDataCheq without its slashes ("" when untouched)
};
// Nothing, too, for an item index rgDigCheq has no code for.
std::optional<std::string> chequeCommand(PrinterLine line, const ChequeFields& fields);

}  // namespace cuponex
