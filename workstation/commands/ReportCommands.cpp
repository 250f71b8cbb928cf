#include "commands/ReportCommands.h"

#include "core/CommandFormat.h"
#include "core/ItemCode.h"
#include "core/Numbers.h"

namespace cuponex {

namespace {

// The captions of a reading-type group's items: "1" to "9", then "A" onwards.
constexpr std::string_view kReadingTypeCaptions = "123456789ABCDEFGHIJKL";
static_assert(kReadingTypeCaptions.size() >= kReadingType29Items);

// Reading type of commands 27 and 29: the chosen item's caption. Nothing when
// no item is chosen.
std::optional<std::string> readingType(std::string_view code, int chosenItem, int items) {
    const std::optional<char> caption =
        itemCode(kReadingTypeCaptions.substr(0, static_cast<std::size_t>(items)), chosenItem);
    if (!caption) return std::nullopt;
    return std::string(code) + *caption;
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
            // The items "B" to "F", then "Sem parâmetro".
            constexpr std::string_view kParameters = "BCDEF";
            static_assert(kParameters.size() == kReadingType28Items - 1);
            if (chosenItem == kReadingType28Items - 1) return std::string("28");
            const std::optional<char> parameter = itemCode(kParameters, chosenItem);
            if (!parameter) return std::nullopt;
            return "28" + std::string(1, *parameter);
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
