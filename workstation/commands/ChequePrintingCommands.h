#pragma once
// Command text of the cheque printing tab .24, built from the field texts as
// the send handler reads them (after the fields' exit rules). The command is
// the same on every printer line.

#include <optional>
#include <string>

namespace cuponex {

// Tab .24, command 24.
struct ChequePrintingFields {
    std::string bank;         // edBanco, read as an integer (0 when not one)
    std::string amount;       // edValorCheque, two decimals: sent in cents
    std::string date;         // mskDataCheque without its slashes: ddmmyyyy, "" when untouched
    int yearDigitsItem = -1;  // rgDigitosCheque: items "1" to "4", -1 none chosen
    int placeItem = 0;        // rgInfoAdic: 0 "Verso (Antes)", 1 "Verso (Depois)",
                              // 2 "Frente (Inferior)"
    std::string line1;        // edLinhaCheque1, left-justified in 60
    std::string line2;        // edLinhaCheque2, left-justified in 60
};

// Nothing for an item index a radio group has no code for (none chosen in
// rgInfoAdic included).
std::optional<std::string> chequePrintingCommand(const ChequePrintingFields& fields);

}  // namespace cuponex
