#include "history/RunTexts.h"

#include "core/ExchangeLog.h"
#include "widgets/Latin1.h"

namespace cuponex {
namespace {

// Portuguese counts: one is singular, everything else (zero too) plural.
QString counted(std::size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

QString code(const std::string& command) {
    return fromLatin1(readableBytes(command.substr(0, 2)));
}

}  // namespace

QString scenarioStepText(int line, int lastLine, const std::string& command) {
    return QStringLiteral("Linha %1 de %2: %3").arg(line).arg(lastLine).arg(code(command));
}

QString countsText(const RunCounts& counts) {
    return QStringLiteral("%1: %2, %3, %4")
        .arg(counted(counts.total(), "troca", "trocas"), counted(counts.equal, "igual", "iguais"),
             counted(counts.differ, "difere", "diferem"),
             counted(counts.notCompared, "não comparada", "não comparadas"));
}

QString scenarioStoppedText(int line, const RunCounts& counts) {
    return QStringLiteral("Parado antes da linha %1 — %2").arg(line).arg(countsText(counts));
}

QString scenarioFailedText(int line, const RunCounts& counts) {
    return QStringLiteral("Interrompido na linha %1 — %2").arg(line).arg(countsText(counts));
}

QString resendStepText(std::size_t index, std::size_t count, const std::string& command) {
    return QStringLiteral("Reenviando %1 de %2: %3").arg(index).arg(count).arg(code(command));
}

QString resendDoneText(std::size_t sent) {
    return counted(sent, "comando reenviado", "comandos reenviados");
}

QString resendStoppedText(std::size_t sent, std::size_t count) {
    return QStringLiteral("Reenvio parado: %1 de %2 reenviados").arg(sent).arg(count);
}

}  // namespace cuponex
