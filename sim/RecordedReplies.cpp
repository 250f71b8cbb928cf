#include "RecordedReplies.h"

#include <algorithm>

#include "ReplyTable.h"

namespace ecfsim {

RecordedReplies::RecordedReplies(const std::vector<cuponex::ScenarioStep>& steps,
                                 const std::string& fileName) {
    for (const cuponex::ScenarioStep& step : steps) {
        if (step.pattern) {
            throw cuponex::ScenarioError(fileName + ":" + std::to_string(step.line) +
                                         ": a reply with a pattern cannot be sent; give the "
                                         "simulated printer a --record file");
        }
        if (step.expected) byCommand_[step.command].texts.push_back(*step.expected);
    }
}

RecordedReplies RecordedReplies::fromFile(const std::string& path) {
    return RecordedReplies(cuponex::readScenarioFile(path), path);
}

std::optional<std::string> RecordedReplies::next(std::string_view commandText) {
    const auto found = byCommand_.find(commandText);
    if (found == byCommand_.end()) return std::nullopt;
    Replies& replies = found->second;
    const std::size_t index = std::min(replies.given, replies.texts.size() - 1);
    if (replies.given < replies.texts.size()) ++replies.given;
    return replies.texts[index];
}

std::vector<std::string> recordedChunks(std::string_view code, std::string_view reply,
                                        bool trailer) {
    if (reply == ecf::kTimeoutReply) return {};
    if (!isMultiBlockCode(code)) return {std::string(reply) + "}"};

    std::vector<std::string> chunks;
    std::size_t start = 0;
    // The link answers a "}" with a continuation only from ecf::kBlockEndFrom
    // on. An earlier "}" therefore ends no block: the printer would wait for a
    // continuation that never comes and the rest would be lost.
    for (std::size_t i = ecf::kBlockEndFrom; i < reply.size(); ++i) {
        if (reply[i] != '}') continue;
        chunks.emplace_back(reply.substr(start, i + 1 - start));
        start = i + 1;
    }
    // A last piece without "}" ends the report, as a printer that stops would.
    if (start < reply.size()) chunks.emplace_back(reply.substr(start));
    if (trailer && reply.ends_with(ecf::kEndMarker)) chunks.emplace_back("\n");
    return chunks;
}

}  // namespace ecfsim
