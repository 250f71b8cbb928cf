#include "commands/CommandTabs.h"

#include <QTabWidget>

#include "commands/CommandNames.h"

namespace cuponex {

std::optional<int> tabCode(const QString& caption) {
    if (caption.size() != 3 || caption[0] != QLatin1Char('.')) return std::nullopt;
    bool ok = false;
    const int code = caption.mid(1).toInt(&ok);
    if (!ok || !caption[1].isDigit() || !caption[2].isDigit()) return std::nullopt;
    return code;
}

int tabIndex(const QTabWidget* book, int code) {
    for (int i = 0; i < book->count(); ++i)
        if (tabCode(book->tabText(i)) == code) return i;
    return -1;
}

void nameTabs(QTabWidget* book) {
    for (int i = 0; i < book->count(); ++i)
        if (const auto code = tabCode(book->tabText(i)))
            book->setTabToolTip(i, QString::fromStdString(commandTitle(*code)));
}

}  // namespace cuponex
