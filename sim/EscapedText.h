// Printable rendering of raw bytes for the frame log.
#pragma once

#include <string>
#include <string_view>

namespace ecfsim {

// Bytes 0x20..0x7E stay as they are, except the backslash, which becomes "\\";
// every other byte becomes \xHH with upper-case hex digits.
std::string escapeBytes(std::string_view bytes);

}  // namespace ecfsim
