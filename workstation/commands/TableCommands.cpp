#include "commands/TableCommands.h"

#include "core/CommandFormat.h"
#include "core/ItemCode.h"

namespace cuponex {

std::string legendRow(std::string_view legend) {
    return formatPattern("%-15s", {legend});
}

std::string legendTableCommand(bool zeroTable, std::string_view rows) {
    return formatPattern("38%s%s", {yesNo(zeroTable), rows});
}

int paymentModeNameLimit(bool chequeChange, bool counterVoucher) {
    // The row is the linked-voucher letter, the marker if any, and the name.
    const int letters = chequeChange || counterVoucher ? 2 : 1;
    return kPaymentModeRowSize - letters;
}

std::string paymentModeRow(bool linkedVoucher, bool chequeChange, bool counterVoucher,
                           std::string_view name) {
    const char* linked = yesNo(linkedVoucher);
    if (chequeChange) return formatPattern("%s=%-14s", {linked, name});
    if (counterVoucher) return formatPattern("%s#%-14s", {linked, name});
    return formatPattern("%s%-15s", {linked, name});
}

std::string paymentModeTableCommand(std::string_view rows) {
    return "39" + std::string(rows);
}

std::optional<std::string> legendChangeRecord(int kindIndex, std::string_view title,
                                              std::string_view keyLegend,
                                              std::string_view newLegend) {
    const std::optional<char> kind = itemCode("+=-", kindIndex);
    if (!kind) return std::nullopt;
    return formatPattern("%s%-15s%-15s%-15s", {std::string(1, *kind), title, keyLegend, newLegend});
}

std::string legendChangesCommand(std::string_view records) {
    return "47" + std::string(records);
}

}  // namespace cuponex
