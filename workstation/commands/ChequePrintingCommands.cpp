#include "commands/ChequePrintingCommands.h"

#include "core/CommandFormat.h"
#include "core/ItemCode.h"
#include "core/Numbers.h"

namespace cuponex {

std::optional<std::string> chequePrintingCommand(const ChequePrintingFields& fields) {
    // Where the additional lines go: back before, back after, front bottom.
    const std::optional<char> place = itemCode("SN ", fields.placeItem);
    // No item chosen gives 0 digits; the items "1" to "4" give their own number.
    const std::optional<char> yearDigits = itemCodeOr('0', "1234", fields.yearDigitsItem);
    if (!place || !yearDigits) return std::nullopt;
    return formatPattern(
        "24%.3d%.12d%s%-60s%-60s%s%8s",
        {integerOrZero(fields.bank), amountInteger(fields.amount), std::string(1, *place),
         fields.line1, fields.line2, std::string(1, *yearDigits), fields.date});
}

}  // namespace cuponex
