// The replies the simulated printer gives, chosen by command code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ecfsim {

inline constexpr std::string_view kMalformedReply = ".-P002}";
inline constexpr std::string_view kUnknownCodeReply = ".-P003}";
inline constexpr int kReportBlocks = 3;

bool isKnownCode(std::string_view code);

// Reports (ecf::kReportCodes) answer in blocks, one per continuation.
bool isMultiBlockCode(std::string_view code);

// The chunks of the reply to a well-formed frame. Chunk 0 goes out at once; each
// later chunk waits for one continuation. A multi-block reply ends with the end
// marker and, when `trailer` is set, a line feed after the marker's continuation.
std::vector<std::string> replyChunks(std::string_view code, bool trailer);

}  // namespace ecfsim
