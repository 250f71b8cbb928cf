#pragma once
// Command texts of the reading and report tabs .13 to .16 and .27 to .29,
// built from the field texts as the send handlers read them. Each function
// returns the text without its frame; std::nullopt means nothing is to be sent
// (a printer line with no form of the command, or no item chosen).

#include <optional>
#include <string>
#include <string_view>

#include "core/PrinterLine.h"

namespace cuponex {

// Tab .13, command 13. managerialReport is cbLX; the title (edTituloGerencial)
// goes, as typed, only on line RX and only with the box checked.
std::optional<std::string> readingXCommand(PrinterLine line, bool managerialReport,
                                           std::string_view title);

// Tab .14, command 14. managerialReport is cbRZ, read on lines 4100 and 6100;
// on line RX the date (ddmmyy) and time (hhmmss) go instead, as the window's
// clock wrote them into edData and edHora (empty before its first tick).
std::optional<std::string> reductionZCommand(PrinterLine line, bool managerialReport,
                                             std::string_view date, std::string_view time);

// Tab .15, command 15: the first and last reduction numbers (edRedIn,
// edRedFin), each read as an integer (0 when not one).
std::string reductionRangeCommand(std::string_view first, std::string_view last);

// Tab .16, command 16: the first and last dates as the masked edits hold them,
// six characters ddmmyy without the slashes. A date that is not a whole
// number (empty, or with positions still blank) reads as 0.
std::string dateRangeCommand(std::string_view firstDate, std::string_view lastDate);

// Tab .27, command 27. chosenItem is the item index of rgTipo27 (items "1" to
// "9", then "A" to "H"); the parameter is the chosen item's caption.
inline constexpr int kReadingType27Items = 17;
std::optional<std::string> readingType27Command(int chosenItem);

// Tab .28, command 28. On line 4100 the command is the button's Tag in two
// digits, without parameter. On line 6100 chosenItem is the item index of
// rgTipo28: 0 to 4 for "B" to "F", 5 for "Sem parâmetro". Line RX has no form.
inline constexpr int kReadingType28Items = 6;
std::optional<std::string> readingType28Command(PrinterLine line, int buttonTag, int chosenItem);

// Tab .29, command 29: as command 27, with the items "1" to "9", then "A" to "L"
// of rgTipo29.
inline constexpr int kReadingType29Items = 21;
std::optional<std::string> readingType29Command(int chosenItem);

}  // namespace cuponex
