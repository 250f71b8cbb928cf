// Replies recorded from a printer (a scenario file), given back to the same
// requests in turn.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/EcfProtocol.h"
#include "scenario/Scenario.h"

namespace ecfsim {

class RecordedReplies {
  public:
    RecordedReplies() = default;
    // The steps that expect a reply; the others are ignored. A reply with a
    // pattern is no reply to send: cuponex::ScenarioError "FILE:LINE: ...".
    explicit RecordedReplies(const std::vector<cuponex::ScenarioStep>& steps,
                             const std::string& fileName = "replies");

    // Reads a scenario file; throws cuponex::ScenarioError naming the file
    // (and the line) when it cannot be used.
    static RecordedReplies fromFile(const std::string& path);

    // The reply for the next request with this command text (code and
    // parameters): the k-th such request gets the k-th reply recorded for it,
    // and after the last one the last repeats. None when nothing was recorded.
    std::optional<std::string> next(std::string_view commandText);

  private:
    struct Replies {
        std::vector<std::string> texts;
        std::size_t given = 0;
    };
    std::map<std::string, Replies, std::less<>> byCommand_;
};

// The chunks that send a recorded reply, as replyChunks gives them: none for
// the workstation's timeout reply (the printer stays silent, as the recorded
// one did); an ordinary reply followed by its "}"; a report split after each
// "}" into blocks, each after a continuation, and a line feed after a final
// end marker when `trailer` is set.
std::vector<std::string> recordedChunks(std::string_view code, std::string_view reply,
                                        bool trailer);

}  // namespace ecfsim
