#include "NumberEntry.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "common/Digits.h"

namespace cuponex {

namespace {

constexpr char kBackspace = 8;

// Blanks and control characters: every code up to the space.
bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::optional<char> amountKey(char typed) {
    if (typed == '.') return ',';
    if (typed == kBackspace || typed == ',' || isDigit(typed)) return typed;
    return std::nullopt;
}

std::optional<char> digitKey(char typed) {
    if (typed == kBackspace || isDigit(typed)) return typed;
    return std::nullopt;
}

std::string numericRewrite(std::string_view fieldText, std::string_view pattern) {
    if (std::all_of(fieldText.begin(), fieldText.end(), isBlankOrControl)) {
        return formatNumberText("0", pattern);
    }
    return formatNumberText(RetiraCaracter(fieldText, ' '), pattern);
}

std::string integerRewrite(std::string_view fieldText, int minDigits) {
    const std::int64_t value = integerOrZero(fieldText);
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < static_cast<std::size_t>(std::max(minDigits, 0))) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

std::string_view priceExitPattern(bool isUnitPriceField, std::string_view description) {
    const bool threeDecimals =
        isUnitPriceField && !description.empty() &&
        std::string_view(">]|~").find(description.front()) != std::string_view::npos;
    return threeDecimals ? "0.000" : "0.00";
}

}  // namespace cuponex
