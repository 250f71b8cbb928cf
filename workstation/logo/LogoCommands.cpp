#include "logo/LogoCommands.h"

#include "common/Digits.h"
#include "core/CommandFormat.h"

namespace cuponex {

std::string encodeLogoStrip(const LogoStrip& strip) {
    std::string text;
    text.reserve(2 * strip.size());
    for (std::uint8_t column : strip) {
        const std::uint8_t code = column == 0 ? 0x20 : column;
        text += hexDigit(code >> 4);
        text += hexDigit(code);
    }
    return text;
}

std::string trimBlankLogoColumns(std::string_view text) {
    while (text.ends_with("20")) text.remove_suffix(2);
    return std::string(text);
}

std::string logoCommand(std::string_view text) {
    return formatPattern("40%.3d%s", {static_cast<long long>(text.size()), text});
}

}  // namespace cuponex
