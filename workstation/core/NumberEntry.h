#pragma once
// The text side of the field entry rules: the key filters and the exit
// rewrites of amount and code fields. The window binds these to its
// fields.

#include <optional>
#include <string>
#include <string_view>

#include "Numbers.h"

namespace cuponex {

// Key filters. Each takes the typed character (ISO-8859-1 code) and returns the
// character to insert, or nullopt to drop the key. Backspace (8) always passes.
std::optional<char> amountKey(char typed);  // edPrecoKeyPress: digits, ",", "." -> ","
std::optional<char> digitKey(char typed);   // edItemKeyPress: digits only

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
