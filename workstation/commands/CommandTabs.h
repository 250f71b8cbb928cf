#pragma once
// The tabs of the command book by command code: a tab captioned ".01" is
// command 01's, and its tool tip names the command ("01 — Venda de item").

#include <QString>
#include <optional>

class QTabWidget;

namespace cuponex {

// The code of a tab's caption (".01" gives 1); none for any other caption.
std::optional<int> tabCode(const QString& caption);

// The index of a command's tab in the book; -1 when it has none.
int tabIndex(const QTabWidget* book, int code);

// Gives every tab its command's title as tool tip, from the table of names.
void nameTabs(QTabWidget* book);

}  // namespace cuponex
