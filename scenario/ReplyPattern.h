#pragma once
// An expected reply as a scenario line writes it: literal text in the file's
// notation, with "{{RE}}" parts that match by a PCRE2 regular expression. The
// whole received reply must match: each literal part byte for byte and each
// pattern its own part, as if that part were the whole subject (a pattern may
// match nothing). Patterns work on bytes (no UTF; "." matches any byte). The
// text inside the braces goes to PCRE2 as written: "\xHH" and "\\" mean there
// what they mean in the rest of the file, and PCRE2's escapes ("\d", "\s")
// are allowed there only. A pattern ends at the first "}}"; in a run of three
// or more "}" at the run's last two, so "{{[0-9]{4}}}" is "[0-9]{4}". A "}"
// right after a pattern is written "\x7D", a "{" before one "\x7B".

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct pcre2_real_code_8;

namespace cuponex {

class ExpectedReply {
  public:
    // The expected reply of a line, as it stands in the file (after the TAB).
    // Throws ScenarioError with the bare reason (no file or line): a bad
    // escape or raw byte outside the braces, an empty "{{}}", a "{{" without
    // its end, a raw byte inside the braces, or an expression PCRE2 does not
    // compile (its message and the offset in the expression). Each pattern is
    // compiled here, once.
    static ExpectedReply parse(std::string_view writtenField);

    // True when the whole received reply matches.
    bool matches(std::string_view received) const;

    // True when some part is a pattern; such a reply cannot be sent by the
    // simulated printer.
    bool hasPattern() const { return hasPattern_; }

    // The reply's bytes when it has no pattern (else its literal parts run
    // together, which is no reply at all).
    const std::string& literal() const { return literal_; }

    // The field as the file wrote it, for reports and for a rewrite that
    // keeps the line.
    const std::string& written() const { return written_; }

  private:
    struct Part {
        std::string literal;                      // the bytes, when not a pattern
        std::shared_ptr<pcre2_real_code_8> code;  // the compiled pattern, else null
    };

    struct Matching;
    bool matchFrom(std::size_t index, std::size_t pos, Matching& matching) const;
    bool patternMatches(const Part& part, std::string_view piece, Matching& matching) const;

    std::vector<Part> parts_;
    std::string literal_;
    std::string written_;
    bool hasPattern_ = false;
};

}  // namespace cuponex
