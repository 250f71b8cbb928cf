#pragma once
// The command text of the history window's free line. It takes what a tab
// field takes, each character as its ISO-8859-1 byte and "?" for one outside
// it, and the scenario notation's escapes besides: "\xHH" for any byte and
// "\\" for the backslash. What the notation rejects is told in Portuguese.

#include <QString>
#include <string>

namespace cuponex {

struct FreeLineText {
    std::string command;  // the bytes to send; empty when there is an error
    QString error;        // why nothing is sent; empty when the text is good
};

FreeLineText freeLineText(const QString& typed);

}  // namespace cuponex
