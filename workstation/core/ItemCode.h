#pragma once
// A radio group's items stand for one code character each, in the group's
// order. The group itself can only give an index it has, so an index beyond
// the codes is a form out of step with its command: nothing is sent for it,
// as for no choice, rather than a wrong command to the printer.

#include <optional>
#include <string_view>

namespace cuponex {

// codes[chosenItem]; nothing for -1 (no item chosen) or an index past the codes.
inline std::optional<char> itemCode(std::string_view codes, int chosenItem) {
    if (chosenItem < 0 || static_cast<std::size_t>(chosenItem) >= codes.size()) {
        return std::nullopt;
    }
    return codes[static_cast<std::size_t>(chosenItem)];
}

// As itemCode, with `unchosen` for -1: a group whose lack of a choice is sent too.
inline std::optional<char> itemCodeOr(char unchosen, std::string_view codes, int chosenItem) {
    return chosenItem == -1 ? unchosen : itemCode(codes, chosenItem);
}

}  // namespace cuponex
