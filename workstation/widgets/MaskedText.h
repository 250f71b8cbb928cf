#pragma once
// The value of a masked edit as the command handlers read it: the characters
// typed at the mask's input positions, without the mask's literals ("/", ":").
// A position not filled yet reads as a space; a field with no position filled
// reads as the empty text. A field without a mask reads as its text.

#include <string>

class QLineEdit;

namespace cuponex {

std::string maskedValue(const QLineEdit* field);

}  // namespace cuponex
