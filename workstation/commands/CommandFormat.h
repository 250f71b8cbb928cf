#pragma once
// Formatting of command texts and the number readings the send handlers share.
// Command text is 8-bit ISO-8859-1: one std::string byte per character, so
// widths count characters. Nothing here depends on Qt.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace cuponex {

// A conversion that the window reports through its top-level error display;
// what() is the text shown (without the final period, which the display adds).
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One value for formatPattern: a text or an integer.
class FormatArg {
  public:
    FormatArg(const char* text) : value_(std::string(text)) {}
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(const std::string& text) : value_(text) {}
    FormatArg(int number) : value_(static_cast<std::int64_t>(number)) {}
    FormatArg(long number) : value_(static_cast<std::int64_t>(number)) {}
    FormatArg(long long number) : value_(static_cast<std::int64_t>(number)) {}

    const std::variant<std::string, std::int64_t>& value() const { return value_; }

  private:
    std::variant<std::string, std::int64_t> value_;
};

// Formats a command pattern:
//   %s    text unchanged          %Ns  right-justified, spaces on the left to N
//   %-Ns  left-justified to N     %.Ns at most the first N characters
//   %d    decimal integer         %.Nd zero-filled to N digits, minus sign before
//   %%    a percent sign          a lone "%" at the very end writes nothing
// Widths are minimums: longer values are written whole. A directive that does
// not match its argument's kind, or too few arguments, is a programming error
// and throws std::logic_error.
std::string formatPattern(std::string_view pattern, std::initializer_list<FormatArg> args);

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

}  // namespace cuponex
