#pragma once
// Logo text of tab .40: the 100 x 8-dot strip as hexadecimal digits and the
// text of command 40. Nothing here depends on Qt.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cuponex {

inline constexpr int kLogoColumns = 100;
inline constexpr int kLogoRows = 8;

// One byte per dot column, column 0 at the left; bit 7 is the top row.
using LogoStrip = std::array<std::uint8_t, kLogoColumns>;

// Bit of row 0..7 within a column byte (row 0 -> 0x80).
constexpr std::uint8_t logoRowBit(int row) {
    return static_cast<std::uint8_t>(0x80u >> row);
}

// 200 upper-case hexadecimal digits, two per column; a column without dots
// is written "20" (the printer's blank), never "00".
std::string encodeLogoStrip(const LogoStrip& strip);

// The text without its trailing "20" pairs: the last two characters are
// removed while they are "20". A column whose only dot is in row 2 also
// reads "20" and goes with them.
std::string trimBlankLogoColumns(std::string_view text);

// Command 40: "40", the character count of the text zero-filled to at least
// three digits, then the text unchanged.
std::string logoCommand(std::string_view text);

}  // namespace cuponex
