#include "commands/IdentificationCommands.h"

#include "core/CommandFormat.h"
#include "core/Numbers.h"

namespace cuponex {

std::string taxpayerIdCommand(std::string_view cpfCnpj) {
    return formatPattern("17%.20s", {cpfCnpj});
}

std::optional<std::string> customerIdCommand(PrinterLine line, const CustomerIdFields& fields) {
    // The second copy of the TEF receipt takes precedence over every field,
    // whether or not the box is on screen.
    if (fields.secondTefCopy) return "1900";
    if (line != PrinterLine::L4100 && line != PrinterLine::L6100) return std::nullopt;

    const std::int64_t title = integerOrZero(fields.title);
    // Only a title that reads exactly "00" carries COO and type; any other
    // title (an untouched empty field included) has four blanks for the COO
    // and nothing for the type.
    std::string text =
        fields.title == "00"
            ? formatPattern("19%.2d%.4d%.2d%20s",
                            {title, integerOrZero(fields.coo), integerOrZero(fields.type),
                             fields.identification})
            : formatPattern("19%.2d%4s%.4s%20s", {title, "", "", fields.identification});
    if (line == PrinterLine::L6100)
        text += formatPattern("%.2d", {integerOrZero(fields.instalments)});
    return text;
}

std::optional<std::string> authenticationCommand(PrinterLine line,
                                                 const AuthenticationFields& fields) {
    if (line != PrinterLine::L4100 && line != PrinterLine::L6100) return std::nullopt;
    std::string text = formatPattern(
        "20%s%s%-15s%s%s",
        {fields.attribute, yesNo(fields.logo), fields.code, fields.header, yesNo(fields.netValue)});
    // On 6100 a text of one blank still counts as none; two blanks do not.
    if (line == PrinterLine::L6100 && !fields.text.empty() && fields.text != " ")
        text += formatPattern("%-20s", {fields.text});
    return text;
}

}  // namespace cuponex
