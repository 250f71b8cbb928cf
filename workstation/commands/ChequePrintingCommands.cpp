#include "commands/ChequePrintingCommands.h"

#include <iterator>
#include <stdexcept>

#include "core/CommandFormat.h"
#include "core/Numbers.h"

namespace cuponex {

std::string chequePrintingCommand(const ChequePrintingFields& fields) {
    // Where the additional lines go: back before, back after, front bottom.
    static constexpr const char* places[] = {"S", "N", " "};
    // rgDigitosCheque: the items "1" to "4".
    constexpr int kYearDigitItems = 4;
    if (fields.placeItem < 0 || fields.placeItem >= static_cast<int>(std::size(places))) {
        throw std::invalid_argument("no such item of rgInfoAdic");
    }
    if (fields.yearDigitsItem < -1 || fields.yearDigitsItem >= kYearDigitItems) {
        throw std::invalid_argument("no such item of rgDigitosCheque");
    }
    // No item chosen gives 0 digits; the items "1" to "4" give their own number.
    const int yearDigits = fields.yearDigitsItem + 1;
    return formatPattern(
        "24%.3d%.12d%s%-60s%-60s%d%8s",
        {integerOrZero(fields.bank), amountInteger(fields.amount), places[fields.placeItem],
         fields.line1, fields.line2, yearDigits, fields.date});
}

}  // namespace cuponex
