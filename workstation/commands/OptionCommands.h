#pragma once
// Command texts of the printer option tabs .41, .50 and .54, built from the
// state of their check boxes and selection lists at the click.

#include <array>
#include <optional>
#include <string>

#include "core/PrinterLine.h"

namespace cuponex {

// Tab .41, command 41: "S" when the printer is to confirm each command.
std::string commandConfirmationCommand(bool confirm);

// Tab .50, command 50: one "S"/"N" per box, in this order.
struct PrintOptionFields {
    bool immediatePrinting = false;   // cbImediata
    bool abbreviatedReplies = false;  // cbAbrev
    bool bidirectional = false;       // cbBidi
    bool immediateChange = false;     // cbTroco
};
std::string printOptionsCommand(const PrintOptionFields& fields);

// Tab .54, command 54: the selected item of each list A to F, each after a
// "|". Only line RX has the command.
std::optional<std::string> exemptionTypesCommand(PrinterLine line,
                                                 const std::array<std::string, 6>& types);

}  // namespace cuponex
