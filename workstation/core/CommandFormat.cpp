#include "CommandFormat.h"

#include <optional>
#include <stdexcept>

#include "common/Digits.h"

namespace cuponex {

namespace {

// One "%[-][width][.precision]type" directive, the "%" already consumed.
struct Directive {
    bool leftJustify = false;
    std::size_t width = 0;
    std::optional<std::size_t> precision;
    char type = 0;
};

// Widths and precisions of command fields are a few dozen characters; a
// larger one is a faulty pattern, not a request for gigabytes of padding.
constexpr std::size_t kMaxCount = 65536;

std::size_t readCount(std::string_view pattern, std::size_t& pos) {
    std::size_t count = 0;
    while (pos < pattern.size() && isDigit(pattern[pos])) {
        count = count * 10 + static_cast<std::size_t>(pattern[pos] - '0');
        if (count > kMaxCount) {
            throw std::logic_error("width out of range in pattern '" + std::string(pattern) + "'");
        }
        ++pos;
    }
    return count;
}

Directive readDirective(std::string_view pattern, std::size_t& pos) {
    Directive directive;
    if (pos < pattern.size() && pattern[pos] == '-') {
        directive.leftJustify = true;
        ++pos;
    }
    directive.width = readCount(pattern, pos);
    if (pos < pattern.size() && pattern[pos] == '.') {
        ++pos;
        directive.precision = readCount(pattern, pos);
    }
    if (pos >= pattern.size()) {
        throw std::logic_error("unfinished directive in pattern '" + std::string(pattern) + "'");
    }
    directive.type = pattern[pos++];
    if (directive.type == 'S') directive.type = 's';
    if (directive.type == 'D') directive.type = 'd';
    if (directive.type != 's' && directive.type != 'd') {
        throw std::logic_error("unsupported directive in pattern '" + std::string(pattern) + "'");
    }
    return directive;
}

std::string decimalText(std::int64_t number, std::optional<std::size_t> minDigits) {
    // The magnitude as unsigned, so that the smallest 64-bit value is written too.
    std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    std::string digits = std::to_string(magnitude);
    if (minDigits && digits.size() < *minDigits) {
        digits.insert(0, *minDigits - digits.size(), '0');
    }
    return number < 0 ? "-" + digits : digits;
}

std::string applyDirective(const Directive& directive, const FormatArg& arg) {
    std::string text;
    if (directive.type == 's') {
        const auto* value = std::get_if<std::string>(&arg.value());
        if (!value) throw std::logic_error("%s directive given an integer");
        text = directive.precision ? value->substr(0, *directive.precision) : *value;
    } else {
        const auto* value = std::get_if<std::int64_t>(&arg.value());
        if (!value) throw std::logic_error("%d directive given a text");
        text = decimalText(*value, directive.precision);
    }
    if (text.size() < directive.width) {
        const std::string fill(directive.width - text.size(), ' ');
        text = directive.leftJustify ? text + fill : fill + text;
    }
    return text;
}

}  // namespace

std::string formatPattern(std::string_view pattern, std::initializer_list<FormatArg> args) {
    std::string result;
    auto nextArg = args.begin();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos++];
        if (c != '%') {
            result += c;
            continue;
        }
        if (pos == pattern.size()) break;  // a lone "%" at the end writes nothing
        if (pattern[pos] == '%') {
            result += '%';
            ++pos;
            continue;
        }
        const Directive directive = readDirective(pattern, pos);
        if (nextArg == args.end()) {
            throw std::logic_error("too few arguments for pattern '" + std::string(pattern) + "'");
        }
        result += applyDirective(directive, *nextArg++);
    }
    return result;
}

}  // namespace cuponex
