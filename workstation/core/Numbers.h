#pragma once
// Reading numbers as the window reads them, with "," as the decimal separator
// whatever the process locale.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cuponex {

// A conversion that the window reports through its top-level error display;
// what() is the text shown (without the final period, which the display adds).
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text with every occurrence of c deleted ("1,234,5" and ',' give "12345").
std::string RetiraCaracter(std::string_view text, char c);

// A whole decimal integer: optional leading blanks, optional sign, digits and
// nothing else, within 64 bits. Anything else gives nullopt.
std::optional<std::int64_t> parseInteger(std::string_view text);

// parseInteger, 0 when the text is not an integer.
std::int64_t integerOrZero(std::string_view text);

// Integer of an amount field: commas deleted, then integerOrZero ("12,50" -> 1250).
std::int64_t amountInteger(std::string_view text);

// Strict integer of an amount field: commas deleted, then parseInteger; throws
// ConversionError "'<text without commas>' is not a valid integer value".
std::int64_t strictAmountInteger(std::string_view text);

// Number conversion as the window reads numbers: leading and trailing blanks
// allowed, optional sign, digits with at most one decimal comma (at least one
// digit), optional exponent (E or e, optional sign, digits). Throws
// ConversionError "'<text>' is not a valid floating point value" otherwise.
// The result is the exact decimal value, formatted with a pattern below.
//
// Pattern: "0.00", "0.000", "000", "00", "00.00", ...: each "0" a digit that
// is always written, "." the decimal comma, as many decimals as zeros after
// it, rounded half away from zero; more integer digits are written whole; a
// negative value gets a leading "-" (a value that rounds to zero gets none).
std::string formatNumberText(std::string_view text, std::string_view pattern);

}  // namespace cuponex
