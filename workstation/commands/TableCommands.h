#pragma once
// Rows and command texts of the table tabs .38 (legends), .39 (payment modes)
// and .47 (changes to single legends). "Aplicar" appends one fixed-width row to
// the tab's table text; "&Enviar" sends the code, any option letter and the
// table text unchanged.

#include <optional>
#include <string>
#include <string_view>

namespace cuponex {

// Tab .38 "Aplicar": the legend left-justified to 15 characters.
std::string legendRow(std::string_view legend);

// Tab .38 "&Enviar", command 38: "S" zeroes the printer's table first.
std::string legendTableCommand(bool zeroTable, std::string_view rows);

// Tab .39: characters of one payment-mode row.
inline constexpr int kPaymentModeRowSize = 16;

// Tab .39: the name field's length limit, 14 while a marker box is checked so
// that every row keeps its 16 characters.
int paymentModeNameLimit(bool chequeChange, bool counterVoucher);

// Tab .39 "Aplicar": "S"/"N" for the linked voucher, then "=" (cheque change)
// or else "#" (counter voucher) or no marker, then the name left-justified to
// 14 characters after a marker, 15 without.
std::string paymentModeRow(bool linkedVoucher, bool chequeChange, bool counterVoucher,
                           std::string_view name);

// Tab .39 "&Enviar", command 39.
std::string paymentModeTableCommand(std::string_view rows);

// Tab .47 "Aplicar": one 46-character change record. kindIndex is the item
// index of rgNF: 0 "Inclusão" (+), 1 "Alteração" (=), 2 "Exclusão" (-); with
// no kind chosen there is no record.
std::optional<std::string> legendChangeRecord(int kindIndex, std::string_view title,
                                              std::string_view keyLegend,
                                              std::string_view newLegend);

// Tab .47 "&Enviar", command 47.
std::string legendChangesCommand(std::string_view records);

}  // namespace cuponex
