#include "ScenarioUpdate.h"

#include "Scenario.h"

namespace cuponex {

std::string withReceivedReplies(std::string_view text, const std::map<int, std::string>& received) {
    std::string out;
    out.reserve(text.size());
    for (const ScenarioLine& line : scenarioLines(text)) {
        const auto replacement = received.find(line.number);
        if (replacement == received.end()) {
            out += line.text;
        } else {
            std::string_view command = line.text.substr(0, line.text.find('\t'));
            const std::string reply = escapeField(replacement->second);
            // Raw spaces and an empty reply would make a blank line, which
            // is skipped: the command's last space is written as an escape.
            const bool blank = reply.empty() && command.find_first_not_of(' ') == command.npos;
            if (blank) command.remove_suffix(1);
            out += command;
            if (blank) out += "\\x20";
            out += '\t';
            out += reply;
        }
        if (line.cr) out += '\r';
        if (line.ended) out += '\n';
    }
    return out;
}

}  // namespace cuponex
