#include "history/ScenarioMessages.h"

#include <QFile>
#include <cctype>
#include <cstring>

#include "core/SafeFile.h"

namespace cuponex {
namespace {

QString ascii(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString systemText(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// What follows `prefix` in `text`, or nothing when `text` does not begin so.
bool after(std::string_view text, std::string_view prefix, std::string_view& rest) {
    if (!text.starts_with(prefix)) return false;
    rest = text.substr(prefix.size());
    return true;
}

// "raw byte 0xE7, write it as \xE7" and " in a pattern" before the comma.
QString rawByte(std::string_view rest) {
    const std::string_view byte = rest.substr(0, 4);  // "0xE7"
    const QString hex = QStringLiteral("\\x") + ascii(byte.substr(2));
    if (rest.substr(4).starts_with(" in a pattern"))
        return QStringLiteral("byte %1 sem escape dentro de um padrão; escreva-o como %2")
            .arg(ascii(byte), hex);
    return QStringLiteral("byte %1 sem escape; escreva-o como %2").arg(ascii(byte), hex);
}

// "pattern {{EXPR}}: PCRE2's message at offset N": PCRE2's message stays its own.
QString badPattern(std::string_view rest) {
    const std::size_t close = rest.find("}}: ");
    const std::size_t offset = rest.rfind(" at offset ");
    if (close == std::string_view::npos || offset == std::string_view::npos || offset < close)
        return QStringLiteral("um padrão que não é uma expressão regular válida");
    return QStringLiteral("o padrão {{%1}} não é uma expressão regular válida: %2 (posição %3)")
        .arg(ascii(rest.substr(0, close)), ascii(rest.substr(close + 4, offset - close - 4)),
             ascii(rest.substr(offset + 11)));
}

}  // namespace

QString portugueseScenarioReason(std::string_view reason) {
    std::string_view rest;
    if (reason == "more than one TAB")
        return QStringLiteral(
            "mais de um TAB; só um separa o comando da resposta esperada (um TAB dentro de um "
            "texto é \\x09)");
    if (reason == "empty command text") return QStringLiteral("o texto do comando está vazio");
    if (reason.starts_with("a lone backslash"))
        return QStringLiteral("uma barra invertida sozinha no fim; escreva a barra como \\\\");
    if (reason.starts_with("\\x without"))
        return QStringLiteral("\\x sem dois algarismos hexadecimais; escreva o byte como \\xHH");
    if (after(reason, "unknown escape ", rest))
        return QStringLiteral(
                   "escape desconhecido %1; use \\xHH para um byte qualquer ou \\\\ para a barra "
                   "invertida")
            .arg(ascii(rest));
    if (after(reason, "raw byte ", rest)) return rawByte(rest);
    if (after(reason, "pattern {{", rest)) return badPattern(rest);
    if (reason.starts_with("a pattern {{ without"))
        return QStringLiteral("um padrão {{ sem o seu fim }}");
    if (reason.starts_with("an empty pattern")) return QStringLiteral("um padrão vazio {{}}");
    if (reason.starts_with("a step without"))
        return QStringLiteral("uma troca sem texto de comando");
    return QStringLiteral("a linha não segue a notação dos roteiros");
}

// The reader names the file as it was given, then either the line and its
// reason or what kept the file from being read.
QString scenarioReadError(const std::string& path, std::string_view message) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    std::string_view rest;
    if (!after(message, path, rest)) {
        return QStringLiteral("O roteiro %1 não pode ser usado: %2")
            .arg(name, portugueseScenarioReason(message));
    }
    if (rest.starts_with(':') && rest.size() > 1 &&
        std::isdigit(static_cast<unsigned char>(rest[1]))) {
        const std::size_t end = rest.find(": ");
        if (end != std::string_view::npos)
            return QStringLiteral("O roteiro %1 tem um erro na linha %2: %3")
                .arg(name, ascii(rest.substr(1, end - 1)),
                     portugueseScenarioReason(rest.substr(end + 2)));
    }
    rest.remove_prefix(std::min<std::size_t>(2, rest.size()));  // ": "
    QString why;
    if (rest == "not a regular file")
        why = QStringLiteral("não é um arquivo comum");
    else if (rest == "larger than 64 MiB")
        why = QStringLiteral("tem mais de 64 MiB, grande demais para um roteiro");
    else
        why = systemText(rest);  // the system's text, as it gives it
    return QStringLiteral("Não foi possível ler o roteiro %1: %2").arg(name, why);
}

QString scenarioSaveError(const FileWriteError& error) {
    return QStringLiteral("Não foi possível gravar o roteiro %1: %2")
        .arg(QFile::decodeName(QByteArray::fromStdString(error.path())),
             systemText(std::strerror(error.error())));
}

QString scenarioSaveError(std::string_view writerReason) {
    return QStringLiteral("Não foi possível gravar o roteiro: %1")
        .arg(portugueseScenarioReason(writerReason));
}

}  // namespace cuponex
