#include "commands/ReportCommands.h"

#include "core/CommandFormat.h"
#include "core/Numbers.h"

namespace cuponex {

namespace {

// Items of a reading-type group captioned with a digit: "1" to "9".
constexpr int kDigitItems = 9;

// Reading type of commands 27 and 29 from the chosen item of a group captioned
// "1" to "9", then "A" onwards: the item's caption. Nothing when no item (or
// an item the group does not have) is chosen.
std::optional<std::string> readingType(std::string_view code, int chosenItem, int items) {
    if (chosenItem < 0 || chosenItem >= items) return std::nullopt;
    if (chosenItem < kDigitItems) return formatPattern("%s%d", {code, chosenItem + 1});
    return std::string(code) + static_cast<char>('A' + (chosenItem - kDigitItems));
}

}  // namespace

std::optional<std::string> readingXCommand(PrinterLine line, bool managerialReport,
                                           std::string_view title) {
    switch (line) {
        case PrinterLine::L4100:
        case PrinterLine::L6100:
            return formatPattern("13%s", {yesNo(managerialReport)});
        case PrinterLine::RX:
            return managerialReport ? formatPattern("13S%s", {title}) : std::string("13");
        default:
            break;
    }
    return std::nullopt;
}

std::optional<std::string> reductionZCommand(PrinterLine line, bool managerialReport,
                                             std::string_view date, std::string_view time) {
    switch (line) {
        case PrinterLine::L4100:
        case PrinterLine::L6100:
            return formatPattern("14%s", {yesNo(managerialReport)});
        case PrinterLine::RX:
            return formatPattern("14S%s%s", {date, time});
        default:
            break;
    }
    return std::nullopt;
}

std::string reductionRangeCommand(std::string_view first, std::string_view last) {
    return formatPattern("15%.4d%.4d", {integerOrZero(first), integerOrZero(last)});
}

std::string dateRangeCommand(std::string_view firstDate, std::string_view lastDate) {
    return formatPattern("16%.6d%.6d", {integerOrZero(firstDate), integerOrZero(lastDate)});
}

std::optional<std::string> readingType27Command(int chosenItem) {
    return readingType("27", chosenItem, kReadingType27Items);
}

std::optional<std::string> readingType28Command(PrinterLine line, int buttonTag, int chosenItem) {
    switch (line) {
        case PrinterLine::L4100:
            return formatPattern("%.2d", {buttonTag});
        case PrinterLine::L6100: {
            const int withoutParameter = kReadingType28Items - 1;  // "Sem parâmetro"
            if (chosenItem == withoutParameter) return std::string("28");
            if (chosenItem < 0 || chosenItem > withoutParameter) return std::nullopt;
            return "28" + std::string(1, static_cast<char>('B' + chosenItem));
        }
        default:
            break;  // line RX: no form
    }
    return std::nullopt;
}

std::optional<std::string> readingType29Command(int chosenItem) {
    return readingType("29", chosenItem, kReadingType29Items);
}

}  // namespace cuponex
