#pragma once
// Ctrl+G of the main window: asks for a command code and shows that command's
// tab. A code without a tab, or no code, is said so and the book stays where
// it is; a cancelled question does nothing.

#include <QString>
#include <functional>
#include <optional>

class QTabWidget;
class QWidget;

namespace cuponex {

// Asks for the code ("Ir para o comando:"); none when cancelled. Tests
// replace it.
using AskCommandCode = std::function<std::optional<QString>(QWidget* parent)>;
AskCommandCode& askCommandCode();

// The code typed as "13", "3", ".13" (spaces around allowed); none for
// anything else or a number outside 01 to 54.
std::optional<int> typedCommandCode(const QString& typed);

void goToCommand(QTabWidget* book, QWidget* parent);

}  // namespace cuponex
