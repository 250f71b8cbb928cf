#pragma once
// System texts (file names, error descriptions) come as UTF-8; what the window
// shows of the exchange is 8-bit ISO-8859-1 like the command texts.

#include <string>
#include <string_view>

namespace cuponex {

// UTF-8 as ISO-8859-1: a character outside it, or a byte that is not valid
// UTF-8, becomes "?".
std::string utf8ToLatin1(std::string_view utf8);

}  // namespace cuponex
