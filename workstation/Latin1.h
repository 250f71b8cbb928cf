#pragma once
// Command texts are 8-bit ISO-8859-1. A character outside it becomes "?".

#include <QString>
#include <string>

namespace cuponex {

inline std::string latin1(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (const char32_t code : text.toUcs4())
        bytes.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
    return bytes;
}

inline QString fromLatin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace cuponex
