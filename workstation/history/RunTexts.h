#pragma once
// What lblRoteiro says while a scenario or a "Reenviar" runs and when it ends.

#include <QString>
#include <cstddef>
#include <string>

namespace cuponex {

struct RunCounts {
    std::size_t equal = 0, differ = 0, notCompared = 0;
    std::size_t total() const { return equal + differ + notCompared; }
};

// "Linha 12 de 40: 05": the line of the exchange being sent, the line of the
// last one, and the command's code.
QString scenarioStepText(int line, int lastLine, const std::string& command);

// "40 trocas: 37 iguais, 2 diferem, 1 não comparada".
QString countsText(const RunCounts& counts);

// A run that ended early: before the line `line` by "Parar", or at it by
// an exchange that failed.
QString scenarioStoppedText(int line, const RunCounts& counts);
QString scenarioFailedText(int line, const RunCounts& counts);

// "Reenviando 3 de 50: 05", and how a "Reenviar" ended.
QString resendStepText(std::size_t index, std::size_t count, const std::string& command);
QString resendDoneText(std::size_t sent);
QString resendStoppedText(std::size_t sent, std::size_t count);

}  // namespace cuponex
