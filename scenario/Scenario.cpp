#include "Scenario.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/Descriptor.h"
#include "common/Digits.h"

namespace cuponex {
namespace {

bool isPrintable(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x7E;
}

void appendHex(std::string& text, unsigned char byte) {
    text += "\\x";
    text += hexDigit(byte >> 4);
    text += hexDigit(byte);
}

std::string hexText(unsigned char byte) {
    std::string text;
    appendHex(text, byte);
    return text;
}

[[noreturn]] void rawByte(unsigned char byte) {
    throw ScenarioError("raw byte 0" + hexText(byte).substr(1) + ", write it as " + hexText(byte));
}

// Spaces and TABs only: nothing a writer produces, so skipped.
bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

ScenarioStep parseLine(std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string_view::npos && line.find('\t', tab + 1) != std::string_view::npos)
        throw ScenarioError("more than one TAB");
    ScenarioStep step;
    step.command = unescapeField(line.substr(0, tab));
    if (step.command.empty()) throw ScenarioError("empty command text");
    if (tab == std::string_view::npos) return step;
    const std::string_view field = line.substr(tab + 1);
    ExpectedReply reply = ExpectedReply::parse(field);
    if (reply.hasPattern()) {
        step.expected = std::string(field);
        step.pattern = std::move(reply);
    } else {
        step.expected = reply.literal();
    }
    return step;
}

// A scenario is a few kilobytes; a file far beyond that is not one, and a
// file that keeps growing must not hold the reader forever.
constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

[[noreturn]] void cannotRead(const std::string& path, int error) {
    throw ScenarioError(path + ": " + std::strerror(error));
}

std::string readRegularFile(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) cannotRead(path, errno);
    if (S_ISDIR(info.st_mode)) cannotRead(path, EISDIR);
    if (!S_ISREG(info.st_mode)) throw ScenarioError(path + ": not a regular file");
    std::string content;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) cannotRead(path, errno);
        if (n == 0) return content;
        content.append(chunk, static_cast<std::size_t>(n));
        if (content.size() > kMaxFileSize) throw ScenarioError(path + ": larger than 64 MiB");
    }
}

}  // namespace

std::string escapeBytes(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            text += "\\\\";
        } else if (isPrintable(byte)) {
            text += c;
        } else {
            appendHex(text, byte);
        }
    }
    return text;
}

std::string escapeField(std::string_view bytes, bool isCommand) {
    std::string text;
    if (isCommand && bytes.starts_with('#')) {
        appendHex(text, '#');
        bytes.remove_prefix(1);
    }
    const bool trailingSpace = bytes.ends_with(' ');
    if (trailingSpace) bytes.remove_suffix(1);
    // No escape writes a "{", so each raw one is a "{" byte of the field.
    const std::string escaped = escapeBytes(bytes);
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '{' && i + 1 < escaped.size() && escaped[i + 1] == '{') {
            appendHex(text, '{');
        } else {
            text += escaped[i];
        }
    }
    if (trailingSpace) appendHex(text, ' ');
    return text;
}

std::string unescapeField(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isPrintable(byte)) rawByte(byte);
        if (byte != '\\') {
            bytes += static_cast<char>(byte);
            continue;
        }
        if (i + 1 == text.size())
            throw ScenarioError("a lone backslash at the end, write it as \\\\");
        const auto next = static_cast<unsigned char>(text[++i]);
        if (next == '\\') {
            bytes += '\\';
        } else if (next == 'x') {
            const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0) throw ScenarioError("\\x without two hexadecimal digits");
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (!isPrintable(next)) {
            rawByte(next);
        } else {
            throw ScenarioError(std::string("unknown escape \\") + static_cast<char>(next));
        }
    }
    return bytes;
}

std::vector<ScenarioLine> scenarioLines(std::string_view text) {
    std::vector<ScenarioLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        ScenarioLine line;
        line.text = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        line.number = static_cast<int>(lines.size()) + 1;
        line.ended = end != std::string_view::npos;
        // A CR counts only before a line feed.
        line.cr = line.ended && line.text.ends_with('\r');
        if (line.cr) line.text.remove_suffix(1);
        pos = line.ended ? end + 1 : text.size();
        lines.push_back(line);
    }
    return lines;
}

std::vector<ScenarioStep> parseScenario(std::string_view text, const std::string& fileName) {
    std::vector<ScenarioStep> steps;
    for (const ScenarioLine& line : scenarioLines(text)) {
        if (line.text.starts_with('#') || isBlank(line.text)) continue;
        try {
            steps.push_back(parseLine(line.text));
        } catch (const ScenarioError& error) {
            throw ScenarioError(fileName + ":" + std::to_string(line.number) + ": " + error.what());
        }
        steps.back().line = line.number;
    }
    return steps;
}

std::string expectedAsWritten(const ScenarioStep& step) {
    const std::string& expected = step.expected.value();
    return step.pattern ? expected : escapeField(expected);
}

std::string readScenarioText(const std::string& path) {
    // The file is the one its user named, a symbolic link to it included; a
    // named pipe or a device there does not hold the reader.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) cannotRead(path, errno);
    return readRegularFile(fd.get(), path);
}

std::vector<ScenarioStep> readScenarioFile(const std::string& path) {
    return parseScenario(readScenarioText(path), path);
}

std::string writeScenario(const std::vector<ScenarioStep>& steps) {
    std::string text;
    for (const ScenarioStep& step : steps) {
        // An empty command would come back as a blank line or as an error.
        if (step.command.empty()) throw ScenarioError("a step without a command text");
        std::size_t pos = 0;
        while (pos < step.comment.size()) {
            std::size_t end = step.comment.find('\n', pos);
            if (end == std::string::npos) end = step.comment.size();
            const std::string_view part = std::string_view(step.comment).substr(pos, end - pos);
            text += part.empty() ? "#" : "# " + escapeField(part);
            text += '\n';
            pos = end + 1;
        }
        text += escapeField(step.command, true);
        if (step.expected) text += '\t' + expectedAsWritten(step);
        text += '\n';
    }
    return text;
}

}  // namespace cuponex
