#include "Numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/Digits.h"

namespace cuponex {

namespace {

// Exponents beyond the range of extended floating point are not numbers; the
// bound also keeps a typed exponent from asking for millions of digits.
constexpr std::int64_t kMaxExponent = 4932;

ConversionError notAFloat(std::string_view text) {
    return ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

// An exact decimal: (negative ? -1 : 1) * digits * 10^scale.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    std::int64_t scale = 0;
};

// Reads an optional "E"/"e", sign and digits from text at pos. Returns false
// when the exponent is malformed or out of range.
bool readExponent(std::string_view text, std::size_t& pos, std::int64_t& exponent) {
    exponent = 0;
    if (pos == text.size() || (text[pos] != 'E' && text[pos] != 'e')) return true;
    ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    if (pos == text.size() || !isDigit(text[pos])) return false;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        exponent = exponent * 10 + (text[pos] - '0');
        if (exponent > kMaxExponent) return false;
    }
    if (negative) exponent = -exponent;
    return true;
}

std::optional<DecimalNumber> readDecimal(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    DecimalNumber number;
    std::size_t pos = 0;
    if (text[pos] == '+' || text[pos] == '-') number.negative = text[pos++] == '-';
    bool afterComma = false;
    std::int64_t decimals = 0;
    for (; pos < text.size(); ++pos) {
        if (isDigit(text[pos])) {
            number.digits += text[pos];
            if (afterComma) ++decimals;
        } else if (text[pos] == ',' && !afterComma) {
            afterComma = true;
        } else {
            break;
        }
    }
    std::int64_t exponent = 0;
    if (number.digits.empty() || !readExponent(text, pos, exponent) || pos != text.size()) {
        return std::nullopt;
    }
    number.scale = exponent - decimals;
    return number;
}

struct NumberPattern {
    int integerZeros = 0;
    int decimals = 0;
};

NumberPattern readPattern(std::string_view pattern) {
    NumberPattern result;
    bool afterPoint = false;
    for (char c : pattern) {
        if (c == '0') {
            ++(afterPoint ? result.decimals : result.integerZeros);
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            throw std::logic_error("unsupported number pattern '" + std::string(pattern) + "'");
        }
    }
    return result;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |number| * 10^decimals rounded half away from zero, without leading zeros
// (empty for zero).
std::string scaledMagnitude(const DecimalNumber& number, int decimals) {
    std::string digits = number.digits;
    const std::int64_t shift = number.scale + decimals;
    if (shift >= 0) {
        digits.append(static_cast<std::size_t>(shift), '0');
    } else {
        // Digits to keep; when negative, even the first dropped digit is a 0.
        const std::int64_t keep = static_cast<std::int64_t>(digits.size()) + shift;
        const bool roundUp = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(std::max<std::int64_t>(keep, 0)));
        if (roundUp) increment(digits);
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    return digits;
}

}  // namespace

std::string RetiraCaracter(std::string_view text, char c) {
    std::string result(text);
    std::erase(result, c);
    return result;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::string_view digits = text.substr(pos);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return std::nullopt;
    }
    // Read the magnitude unsigned so that the smallest 64-bit value fits.
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    constexpr auto maxPositive =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > maxPositive + (negative ? 1 : 0)) return std::nullopt;
    if (!negative) return static_cast<std::int64_t>(magnitude);
    return magnitude == maxPositive + 1 ? std::numeric_limits<std::int64_t>::min()
                                        : -static_cast<std::int64_t>(magnitude);
}

std::int64_t integerOrZero(std::string_view text) {
    return parseInteger(text).value_or(0);
}

std::int64_t amountInteger(std::string_view text) {
    return integerOrZero(RetiraCaracter(text, ','));
}

std::int64_t strictAmountInteger(std::string_view text) {
    const std::string digits = RetiraCaracter(text, ',');
    if (const auto number = parseInteger(digits)) return *number;
    throw ConversionError("'" + digits + "' is not a valid integer value");
}

std::string formatNumberText(std::string_view text, std::string_view pattern) {
    const NumberPattern layout = readPattern(pattern);
    const std::optional<DecimalNumber> number = readDecimal(text);
    if (!number) throw notAFloat(text);

    std::string digits = scaledMagnitude(*number, layout.decimals);
    const bool isZero = digits.empty();
    const std::size_t width = static_cast<std::size_t>(layout.integerZeros + layout.decimals);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');

    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(layout.decimals);
    std::string result = number->negative && !isZero ? "-" : "";
    result.append(digits, 0, integerLength);
    if (layout.decimals > 0) {
        result += ',';
        result.append(digits, integerLength);
    }
    return result;
}

}  // namespace cuponex
