#include "commands/PrinterSetupCommands.h"

#include "core/CommandFormat.h"
#include "core/Numbers.h"

namespace cuponex {

std::optional<std::string> printingOptionsCommand(PrinterLine line,
                                                  const PrintingOptionsFields& fields) {
    if (line != PrinterLine::L4100 && line != PrinterLine::L6100) return std::nullopt;
    return formatPattern("30%s%.3d%s%s%5s%.4d%s%s",
                         {yesNo(fields.cents), integerOrZero(fields.ecf), yesNo(fields.printSign),
                          yesNo(fields.itemTitle), fields.sign, integerOrZero(fields.interval),
                          yesNo(fields.iof), yesNo(fields.issDiscount)});
}

std::string clicheCommand(const ClicheFields& fields) {
    std::string text =
        formatPattern("31S%d%s", {integerOrZero(fields.skip), yesNo(fields.secondCoupon)});
    for (const ClicheRow& row : fields.rows)
        text += formatPattern("%d%-40s", {integerOrZero(row.attribute), row.text});
    return text;
}

std::string taxRateEntry(std::string_view identifier, std::string_view rate) {
    return formatPattern("%-3s%.4d", {identifier, amountInteger(rate)});
}

std::string taxRateTableCommand(std::string_view entries) {
    return "33" + std::string(entries);
}

std::string registrationCommand(std::string_view cnpj, std::string_view ie, std::string_view im,
                                bool withPassword, std::string_view password) {
    if (withPassword) return formatPattern("34%-22s%-21s%-16s%-40s", {cnpj, ie, im, password});
    return formatPattern("34%-22s%-21s%-16s", {cnpj, ie, im});
}

std::string dateTimeCommand(std::string_view date, std::string_view time) {
    return "35" + std::string(time) + std::string(date);
}

std::string summerTimeCommand(bool on) {
    return formatPattern("36%s", {yesNo(on)});
}

}  // namespace cuponex
