#pragma once
// Command texts are 8-bit ISO-8859-1. A character outside it becomes "?".

#include <QString>
#include <string>

#include "core/Utf8.h"

namespace cuponex {

inline std::string latin1(const QString& text) {
    return utf8ToLatin1(text.toStdString());
}

inline QString fromLatin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace cuponex
