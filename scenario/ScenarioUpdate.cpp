#include "ScenarioUpdate.h"

#include "Scenario.h"

namespace cuponex {

std::string withReceivedReplies(std::string_view text, const std::map<int, std::string>& received) {
    std::string out;
    out.reserve(text.size());
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        const auto replacement = received.find(++lineNumber);
        // The reader drops a CR only before a line feed; so is it kept here.
        const bool cr = end != std::string_view::npos && line.ends_with('\r');
        if (replacement == received.end()) {
            out += line;
        } else {
            if (cr) line.remove_suffix(1);
            std::string_view command = line.substr(0, line.find('\t'));
            const std::string reply = escapeField(replacement->second);
            // Raw spaces and an empty reply would make a blank line, which
            // is skipped: the command's last space is written as an escape.
            const bool blank = reply.empty() && command.find_first_not_of(' ') == command.npos;
            if (blank) command.remove_suffix(1);
            out += command;
            if (blank) out += "\\x20";
            out += '\t';
            out += reply;
            if (cr) out += '\r';
        }
        if (end != std::string_view::npos) out += '\n';
    }
    return out;
}

}  // namespace cuponex
