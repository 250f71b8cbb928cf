#include "history/CommandLineKeys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace cuponex {

CommandLineKeys::CommandLineKeys(QLineEdit* line) : QObject(line), line_(line) {
    line_->installEventFilter(this);
}

void CommandLineKeys::sent() {
    history_.add(line_->text().toStdString());
    line_->clear();
}

bool CommandLineKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != line_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    if (key->key() == Qt::Key_Up) {
        show(history_.older());
        return true;
    }
    if (key->key() == Qt::Key_Down) {
        show(history_.newer());
        return true;
    }
    return false;
}

void CommandLineKeys::show(const std::optional<std::string>& text) {
    if (text) line_->setText(QString::fromStdString(*text));  // the cursor goes to the end
}

}  // namespace cuponex
