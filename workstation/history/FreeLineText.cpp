#include "history/FreeLineText.h"

#include <QList>
#include <string_view>

#include "widgets/Latin1.h"
#include "scenario/Scenario.h"

namespace cuponex {
namespace {

bool isPrintable(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x7E;
}

QString unknownEscape(const QString& escaped) {
    return QStringLiteral(
               "Escape desconhecido \\%1. Use \\xHH para um byte qualquer ou \\\\ para "
               "a barra invertida.")
        .arg(escaped);
}

// The scenario reader's reasons are English; the window speaks Portuguese.
// Every reason the escapes can give has its text here.
QString portugueseReason(std::string_view reason) {
    constexpr std::string_view kUnknownEscape = "unknown escape \\";
    if (reason.starts_with("a lone backslash"))
        return QStringLiteral(
            "Barra invertida sozinha no fim do comando. Para enviar a barra, escreva \\\\.");
    if (reason.starts_with("\\x without"))
        return QStringLiteral(
            "\\x sem dois algarismos hexadecimais. Escreva o byte como \\xHH, por exemplo \\x1B.");
    if (reason.starts_with(kUnknownEscape))
        return unknownEscape(QString::fromLatin1(reason.substr(kUnknownEscape.size())));
    return QStringLiteral("O texto não segue a notação dos roteiros.");
}

}  // namespace

// The reader takes bytes 0x20-0x7E only, so every other byte of the typed
// text goes to it as its "\xHH" escape. A byte right after an escaping
// backslash would then read as "\\" and letters: that escape is unknown and
// said so before the reader sees it.
FreeLineText freeLineText(const QString& typed) {
    const std::string bytes = latin1(typed);
    std::string notation;
    int backslashes = 0;  // the run of backslashes just before
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (isPrintable(byte)) {
            notation += c;
        } else if (backslashes % 2 == 1) {
            return {{}, unknownEscape(fromLatin1(std::string(1, c)))};
        } else {
            notation += escapeField(std::string_view(&c, 1));
        }
        backslashes = byte == '\\' ? backslashes + 1 : 0;
    }
    FreeLineText text;
    try {
        text.command = unescapeField(notation);
    } catch (const ScenarioError& error) {
        return {{}, portugueseReason(error.what())};
    }
    if (text.command.empty()) text.error = QStringLiteral("Digite um comando para enviar.");
    return text;
}

}  // namespace cuponex
