#pragma once
// Accepting what a printer replied: a scenario's text with the expected
// reply of some lines replaced by the reply received, every other byte as
// its author wrote it (comments, blank lines, CR LF, the commands, the
// escapes' case).

#include <map>
#include <string>
#include <string_view>

namespace cuponex {

// `text` with, for each line number (1 = first) in `received`, what follows
// the line's TAB replaced by that reply as the writers write it (escapeField).
// A CR that ends such a line before its line feed stays. (A command of raw
// spaces before an empty reply has its last space escaped, else the line
// would be blank and skipped.) The lines must be
// steps that expect a reply, as parseScenario read them from `text`.
std::string withReceivedReplies(std::string_view text, const std::map<int, std::string>& received);

}  // namespace cuponex
