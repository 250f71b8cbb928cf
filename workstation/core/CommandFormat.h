#pragma once
// Formatting of command texts. Command text is 8-bit ISO-8859-1: one
// std::string byte per character, so widths count characters.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace cuponex {

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

// A check box or a "Sim"/"Não" choice as it travels: "S" or "N".
inline const char* yesNo(bool flag) {
    return flag ? "S" : "N";
}

}  // namespace cuponex
