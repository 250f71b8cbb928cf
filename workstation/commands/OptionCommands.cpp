#include "commands/OptionCommands.h"

#include "core/CommandFormat.h"

namespace cuponex {

std::string commandConfirmationCommand(bool confirm) {
    return formatPattern("41%s", {yesNo(confirm)});
}

std::string printOptionsCommand(const PrintOptionFields& fields) {
    return formatPattern("50%s%s%s%s",
                         {yesNo(fields.immediatePrinting), yesNo(fields.abbreviatedReplies),
                          yesNo(fields.bidirectional), yesNo(fields.immediateChange)});
}

std::optional<std::string> exemptionTypesCommand(PrinterLine line,
                                                 const std::array<std::string, 6>& types) {
    if (line != PrinterLine::RX) return std::nullopt;
    return formatPattern("54|%s|%s|%s|%s|%s|%s",
                         {types[0], types[1], types[2], types[3], types[4], types[5]});
}

}  // namespace cuponex
