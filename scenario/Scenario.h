#pragma once
// Scenarios: a session's exchanges as a text file that people can read, diff
// and edit, and that the workstation replays and the simulated printer answers
// from. One exchange a line: the command text (code and parameters, without
// the frame), optionally a TAB and the expected reply (what the window shows
// as received). Bytes 0x20-0x7E stand for themselves but the backslash ("\\");
// any other byte is "\xHH". A space that ends a field is written "\x20", so an
// editor that strips trailing blanks cannot change a fixed-width command.
// Lines starting with "#" are comments, skipped whatever they hold; blank lines
// (spaces and TABs only) are skipped; one CR before the line feed is dropped.
// An expected reply may hold "{{RE}}" patterns (see ReplyPattern.h); the
// writers write a "{" that a "{" follows as "\x7B", so what they write is
// never read as a pattern.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ReplyPattern.h"

namespace cuponex {

// A scenario that cannot be used; what() names the file and the line
// ("FILE:LINE: what is wrong"), or the file and the system's error.
class ScenarioError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ScenarioStep {
    std::string command;  // the command text, bytes as sent
    // The reply to compare with: its bytes, or for one with a pattern the
    // field as the file writes it. None: compare nothing.
    std::optional<std::string> expected;
    int line = 0;         // where it stands in its file (1 = first)
    std::string comment;  // written as a "#" line before it (writer only)
    // Set by the reader when the expected reply holds a pattern, compiled.
    std::optional<ExpectedReply> pattern;
};

// The step's expected reply in the file's notation, as it is printed and
// reported (the step must expect one).
std::string expectedAsWritten(const ScenarioStep& step);

// Bytes in the file's notation: 0x20-0x7E as they are but the backslash
// ("\\"), any other byte "\xHH" with upper-case digits. The simulated
// printer's log of requests is written so too.
std::string escapeBytes(std::string_view bytes);

// A field in the file's notation: escapeBytes, a trailing space as "\x20", a
// "{" followed by "{" as "\x7B" (no pattern is written by accident); a "#"
// that begins a command is "\x23", so the line is not taken for a comment.
std::string escapeField(std::string_view bytes, bool isCommand = false);

// The notation back to bytes. Throws ScenarioError with the bare reason (no
// file or line) for an unknown escape, "\x" without two hex digits, or a raw
// byte outside 0x20-0x7E.
std::string unescapeField(std::string_view text);

// One line of a scenario's text: its bytes without the line feed and without
// the CR that stands before one (`cr`); `ended` when a line feed ends it.
struct ScenarioLine {
    std::string_view text;
    int number = 0;  // 1 = first
    bool cr = false;
    bool ended = false;
};

// The lines of a scenario's text as the reader takes them, in order.
std::vector<ScenarioLine> scenarioLines(std::string_view text);

// Every step of a scenario's text; `fileName` goes into the messages. Throws
// ScenarioError at the first bad line: a bad escape or raw byte, an empty
// command text, more than one TAB, a bad pattern (see ExpectedReply::parse).
// A line "CMD<TAB>" expects an empty reply.
std::vector<ScenarioStep> parseScenario(std::string_view text, const std::string& fileName);

// A scenario file's whole content. The file (or what a symbolic link there
// leads to) is opened without waiting for a writer; anything but a regular
// file of at most 64 MiB, or an unreadable one, is a ScenarioError.
std::string readScenarioText(const std::string& path);

// parseScenario of readScenarioText.
std::vector<ScenarioStep> readScenarioFile(const std::string& path);

// The text of a scenario: each step's comment (if any) as "# ..." lines, then
// its line. parseScenario(writeScenario(steps)) gives back every command and
// expected reply exactly (a pattern step's written field as it is). Only
// ASCII is written. A step with an empty command
// cannot be written: ScenarioError.
std::string writeScenario(const std::vector<ScenarioStep>& steps);

}  // namespace cuponex
