#pragma once
// The commands that have a tab, each with its short Portuguese name: the one
// table behind the tabs' tool tips, the "Ir para o comando" shortcut and the
// README's tab index. Names are UTF-8.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cuponex {

struct CommandName {
    int code;
    const char* name;
};

// The 51 commands with a tab, in code order: 01 to 54 but 32, 37 and 52.
std::span<const CommandName> tabCommands();

// The name of a command with a tab; none for any other code.
std::optional<std::string_view> commandName(int code);

// "01 — Venda de item": the code in two digits, an em dash and the name; empty
// for a code without a tab.
std::string commandTitle(int code);

// The printer's command codes run from 01 to 54; 32, 37 and 52 have no tab.
constexpr int kFirstCommandCode = 1;
constexpr int kLastCommandCode = 54;

}  // namespace cuponex
