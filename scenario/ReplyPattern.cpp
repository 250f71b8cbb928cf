#include "ReplyPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "Scenario.h"
#include "common/Digits.h"

namespace cuponex {
namespace {

// Bytes, not characters; "." takes a line feed too. A pattern's part is its
// whole subject, so it is anchored at both ends once, here.
constexpr uint32_t kCompileOptions =
    PCRE2_ANCHORED | PCRE2_ENDANCHORED | PCRE2_DOTALL | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;

std::string hexByte(unsigned char byte) {
    return {'\\', 'x', hexDigit(byte >> 4), hexDigit(byte)};
}

// The expression's text is the file's, where only 0x20-0x7E stand for
// themselves; PCRE2 would take any other byte, so the check is ours.
void checkWritten(std::string_view expression) {
    for (const char c : expression) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E) {
            const std::string hex = hexByte(byte);
            throw ScenarioError("raw byte 0" + hex.substr(1) + " in a pattern, write it as " + hex);
        }
    }
}

std::shared_ptr<pcre2_code> compile(std::string_view expression) {
    checkWritten(expression);
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.data()),
                                     expression.size(), kCompileOptions, &error, &offset, nullptr);
    if (code == nullptr) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(error, message, sizeof message);
        throw ScenarioError("pattern {{" + std::string(expression) +
                            "}}: " + reinterpret_cast<const char*>(message) + " at offset " +
                            std::to_string(offset));
    }
    // Machine code where the platform has it; the interpreter does the same.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    return {code, pcre2_code_free};
}

// Where the pattern that starts after "{{" at `body` ends: the first "}}",
// or the last two of a longer run of "}". npos without one.
std::size_t patternEnd(std::string_view field, std::size_t body) {
    std::size_t close = field.find("}}", body);
    if (close == std::string_view::npos) return close;
    while (close + 2 < field.size() && field[close + 2] == '}') ++close;
    return close;
}

}  // namespace

// One match of a reply: what each (part, position) was found to give, so
// patterns side by side are tried at each position once.
struct ExpectedReply::Matching {
    std::string_view received;
    std::vector<signed char> known;  // -1 not tried, else 0 or 1
    pcre2_match_data* data = nullptr;
};

ExpectedReply ExpectedReply::parse(std::string_view writtenField) {
    ExpectedReply reply;
    reply.written_ = writtenField;
    std::size_t pos = 0;
    for (;;) {
        // No escape holds a "{", so a raw "{{" is always a pattern's start.
        const std::size_t open = writtenField.find("{{", pos);
        const std::string_view text =
            writtenField.substr(pos, open == std::string_view::npos ? open : open - pos);
        if (!text.empty()) {
            reply.parts_.push_back({unescapeField(text), nullptr});
            reply.literal_ += reply.parts_.back().literal;
        }
        if (open == std::string_view::npos) return reply;
        const std::size_t body = open + 2;
        const std::size_t close = patternEnd(writtenField, body);
        if (close == std::string_view::npos) throw ScenarioError("a pattern {{ without its end }}");
        if (close == body) throw ScenarioError("an empty pattern {{}}");
        reply.parts_.push_back({{}, compile(writtenField.substr(body, close - body))});
        reply.hasPattern_ = true;
        pos = close + 2;
    }
}

bool ExpectedReply::matches(std::string_view received) const {
    if (!hasPattern_) return received == literal_;
    Matching matching;
    matching.received = received;
    matching.known.assign(parts_.size() * (received.size() + 1), -1);
    matching.data = pcre2_match_data_create(1, nullptr);
    if (matching.data == nullptr) throw std::bad_alloc();
    const bool found = matchFrom(0, 0, matching);
    pcre2_match_data_free(matching.data);
    return found;
}

bool ExpectedReply::matchFrom(std::size_t index, std::size_t pos, Matching& matching) const {
    const std::string_view received = matching.received;
    if (index == parts_.size()) return pos == received.size();
    const Part& part = parts_[index];
    if (!part.code) {
        return received.substr(pos).starts_with(part.literal) &&
               matchFrom(index + 1, pos + part.literal.size(), matching);
    }
    signed char& known = matching.known[index * (received.size() + 1) + pos];
    if (known >= 0) return known == 1;
    // The pattern's part ends where the rest can begin: at the end, or where
    // the next literal stands (anywhere, before another pattern: its literal
    // is empty and found at every position).
    bool found = false;
    if (index + 1 == parts_.size()) {
        found = patternMatches(part, received.substr(pos), matching);
    } else {
        const std::string& next = parts_[index + 1].literal;
        for (std::size_t end = received.find(next, pos); !found && end != std::string_view::npos;
             end = received.find(next, end + 1)) {
            found = patternMatches(part, received.substr(pos, end - pos), matching) &&
                    matchFrom(index + 1, end, matching);
        }
    }
    known = found ? 1 : 0;
    return found;
}

bool ExpectedReply::patternMatches(const Part& part, std::string_view piece,
                                   Matching& matching) const {
    // PCRE2 takes no null subject, even an empty one.
    static const char kNothing = 0;
    const char* bytes = piece.data() != nullptr ? piece.data() : &kNothing;
    const auto subject = reinterpret_cast<PCRE2_SPTR>(bytes);
    int found = pcre2_match(part.code.get(), subject, piece.size(), 0, 0, matching.data, nullptr);
    // The machine code's stack is small; the interpreter has the heap.
    if (found == PCRE2_ERROR_JIT_STACKLIMIT) {
        found = pcre2_match(part.code.get(), subject, piece.size(), 0, PCRE2_NO_JIT, matching.data,
                            nullptr);
    }
    // A match that PCRE2 gives up on (its match limit) is no match: the
    // reply is reported as differing, never as equal.
    return found >= 0;
}

}  // namespace cuponex
