#pragma once
// Decimal and hexadecimal digits as the command texts, the scenario files and
// the logs write them: ASCII only, upper-case hexadecimal, whatever the locale.

namespace cuponex {

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The upper-case digit of the low four bits of `value`.
constexpr char hexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

// The value of a hexadecimal digit of either case; -1 for any other character.
constexpr int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace cuponex
