#pragma once
// The text side of the field entry rules: key filters, exit-rule rewrites and
// number conversion with "," as the decimal separator whatever the locale.
// Nothing here depends on Qt; the window binds these to its fields.

#include <optional>
#include <string>
#include <string_view>

#include "commands/CommandFormat.h"  // ConversionError, RetiraCaracter

namespace cuponex {

// Key filters. Each takes the typed character (ISO-8859-1 code) and returns the
// character to insert, or nullopt to drop the key. Backspace (8) always passes.
std::optional<char> amountKey(char typed);  // edPrecoKeyPress: digits, ",", "." -> ","
std::optional<char> digitKey(char typed);   // edItemKeyPress: digits only

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

// Numeric exit rewrite: blank text (after trimming blanks and control
// characters) becomes "0"; spaces are deleted; the rest is converted and
// formatted with the pattern. Throws ConversionError with the text after the
// spaces were deleted.
std::string numericRewrite(std::string_view fieldText, std::string_view pattern);

// Integer exit rewrite: the text read as a whole decimal integer (0 when it is
// not one), zero-filled to minDigits (0 or 1: plain). Never throws.
std::string integerRewrite(std::string_view fieldText, int minDigits);

// The pattern edPrecoExit uses: "0.000" for the unit-price field when the
// description starts with ">", "]", "|" or "~"; "0.00" otherwise.
std::string_view priceExitPattern(bool isUnitPriceField, std::string_view description);

}  // namespace cuponex
