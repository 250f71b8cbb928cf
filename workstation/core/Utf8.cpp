#include "Utf8.h"

namespace cuponex {

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        std::size_t valid = 1;  // continuation bytes present
        while (length > 1 && valid < length && i + valid < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + valid]) & 0xC0) == 0x80)
            ++valid;
        if (length == 0 || valid < length) {
            out += '?';
            i += valid;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        // Overlong forms of Latin-1 letters (two bytes below 0x80) are not valid.
        out += code <= 0xFF && !(length == 2 && code < 0x80) && length <= 2
                   ? static_cast<char>(code)
                   : '?';
        i += length;
    }
    return out;
}

}  // namespace cuponex
