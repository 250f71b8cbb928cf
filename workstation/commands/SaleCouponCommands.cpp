#include "commands/SaleCouponCommands.h"

#include "core/CommandFormat.h"
#include "core/ItemCode.h"
#include "core/NumberEntry.h"

namespace cuponex {

namespace {

// First parameter of commands 02 and 03 on line 6100: a percentage with two
// implied decimals ("2,5" -> "0250"). Throws ConversionError for a non-number.
std::string percentageText(std::string_view text) {
    return RetiraCaracter(formatNumberText(text, "00.00"), ',');
}

}  // namespace

std::string itemSaleCommand(const ItemSaleFields& fields) {
    const std::string tamcod = fields.tamcod == "00" ? std::string() : fields.tamcod;
    const std::int64_t quantity = amountInteger(fields.quantity);
    const std::int64_t unitPrice = amountInteger(fields.unitPrice);
    const std::int64_t total = amountInteger(fields.total);
    // The additional description and TAMCOD never go together; a description
    // of spaces only still counts as given.
    if (!fields.extraDescription.empty()) {
        return formatPattern("01%13s%.7d%.9d%.12d%-24s%-3s%-40s",
                             {fields.code, quantity, unitPrice, total, fields.description,
                              fields.taxRate, fields.extraDescription});
    }
    return formatPattern(
        "01%13s%.7d%.9d%.12d%-24s%-3s%s",
        {fields.code, quantity, unitPrice, total, fields.description, fields.taxRate, tamcod});
}

std::optional<std::string> itemDiscountCommand(PrinterLine line, std::string_view firstField,
                                               std::string_view value) {
    switch (line) {
        case PrinterLine::L4100:
            return formatPattern("02%.4d%.12d", {amountInteger(firstField), amountInteger(value)});
        case PrinterLine::L6100:
            return formatPattern("02%4s%.12d", {percentageText(firstField), amountInteger(value)});
        default:
            break;
    }
    return std::nullopt;
}

std::optional<std::string> subtotalDiscountCommand(PrinterLine line, std::string_view firstField,
                                                   std::string_view value, bool printSubtotal) {
    switch (line) {
        case PrinterLine::L4100:
            return formatPattern("03%.4d%.12d%s", {amountInteger(firstField), amountInteger(value),
                                                   yesNo(printSubtotal)});
        case PrinterLine::L6100:
            return formatPattern("03%4s%.12d%s", {percentageText(firstField), amountInteger(value),
                                                  yesNo(printSubtotal)});
        default:
            break;
    }
    return std::nullopt;
}

std::string cancelItemCommand(std::string_view item) {
    return "04" + std::string(item);
}

std::string paymentTransferCommand(std::string_view debitedCode, std::string_view value,
                                   std::string_view creditedCode) {
    return formatPattern("06%s%.12d%s", {debitedCode, amountInteger(value), creditedCode});
}

std::string legendCommand(std::string_view code, std::string_view value,
                          std::string_view description) {
    return formatPattern("07%.2d%.12d%-40s",
                         {integerOrZero(code), amountInteger(value), description});
}

std::optional<std::string> voucherTextCommand(int chosenItem, std::string_view text) {
    if (chosenItem == 0) return "08";  // "Fechar Comprovante"
    if (chosenItem == -1) return formatPattern("08%-40s", {text});
    // The items after the first: the attributes.
    const std::optional<char> attribute = itemCode("0129", chosenItem - 1);
    if (!attribute) return std::nullopt;
    return formatPattern("08%s%-40s", {std::string(1, *attribute), text});
}

std::string paymentEntry(std::string_view modeCode, std::string_view value, std::string_view text1,
                         std::string_view text2) {
    const std::int64_t code = amountInteger(modeCode);
    const std::int64_t amount = amountInteger(value);
    // Text lines of spaces only count as no text.
    const bool hasText = !RetiraCaracter(std::string(text1) + std::string(text2), ' ').empty();
    if (!hasText) return formatPattern("%.2d%.12d", {code, amount});
    return formatPattern("%.2d%.12d{%-40s%-40s", {code, amount, text1, text2});
}

std::string paymentCommand(std::string_view entries) {
    return "10" + std::string(entries);
}

std::string surchargeCommand(int typeIndex, std::string_view percentage, std::string_view value,
                             bool onSubtotal) {
    const std::int64_t percentageNumber = strictAmountInteger(percentage);
    const std::int64_t valueNumber = strictAmountInteger(value);
    // The surcharge types are numbered from 51, "Acréscimo".
    constexpr int kFirstSurchargeType = 51;
    return formatPattern("11%.2d%.4d%.11d%s", {kFirstSurchargeType + typeIndex, percentageNumber,
                                               valueNumber, yesNo(onSubtotal)});
}

std::string identifierElement(std::string_view type, std::string_view identifier) {
    return "|" + std::string(type) + std::string(identifier);
}

std::string identifierListCommand(std::string_view attribute, std::string_view elements) {
    return "09|" + std::string(attribute) + std::string(elements);
}

std::optional<std::string> closingCommand(PrinterLine line, const ClosingFields& fields) {
    if (fields.withoutParameters) return "12";
    std::string text;
    switch (line) {
        case PrinterLine::L4100:
            text = formatPattern("12%s%s", {yesNo(fields.linked), yesNo(fields.secondCoupon)});
            break;
        case PrinterLine::L6100:
            // Line 6100 has no "Vinculado" choice.
            text = formatPattern("12%s", {yesNo(fields.secondCoupon)});
            break;
        default:
            return std::nullopt;
    }
    for (const ClosingRow& row : fields.rows)
        text += formatPattern("%d%-40s", {integerOrZero(row.attribute), row.text});
    return text;
}

}  // namespace cuponex
