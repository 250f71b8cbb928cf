#include "ReplyTable.h"

#include "common/Digits.h"
#include "common/EcfProtocol.h"

namespace ecfsim {

bool isKnownCode(std::string_view code) {
    if (code.size() != 2 || !cuponex::isDigit(code[0]) || !cuponex::isDigit(code[1])) return false;
    const int number = (code[0] - '0') * 10 + (code[1] - '0');
    return number >= 1 && number <= 54 && number != 32 && number != 37 && number != 52;
}

bool isMultiBlockCode(std::string_view code) {
    for (const char* report : ecf::kReportCodes)
        if (code == report) return true;
    return false;
}

std::vector<std::string> replyChunks(std::string_view code, bool trailer) {
    const std::string codeText(code);
    if (!isKnownCode(code)) return {std::string(kUnknownCodeReply)};
    if (!isMultiBlockCode(code)) return {".+" + codeText + "00}"};

    std::vector<std::string> chunks;
    for (int block = 1; block <= kReportBlocks; ++block)
        chunks.push_back("RELATORIO " + codeText + " BLOCO " + std::to_string(block) + "}");
    chunks.emplace_back(ecf::kEndMarker);
    if (trailer) chunks.emplace_back("\n");
    return chunks;
}

}  // namespace ecfsim
