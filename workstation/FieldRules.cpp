#include "FieldRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "ErrorDisplay.h"

namespace cuponex {
namespace {

bool isPrintable(QChar c) { return c.unicode() >= 0x20 && c.unicode() != 0x7f; }

// The widget that a click at this point would give the focus to, as Qt's own
// click-to-focus walks up from the widget under the pointer.
QWidget* clickFocusTarget(QWidget* window, const QPointF& globalPos) {
    QWidget* w = window->childAt(window->mapFromGlobal(globalPos.toPoint()));
    while (w) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) return w;
        if (w->isWindow()) return nullptr;
        w = w->parentWidget();
    }
    return nullptr;
}

}  // namespace

FieldRules::FieldRules(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

FieldRules::~FieldRules() { qApp->removeEventFilter(this); }

void FieldRules::attach(QLineEdit* field, KeyFilter key, ExitRule exit) {
    fields_[field] = Rules{std::move(key), std::move(exit)};
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this,
            [this, field] { fields_.erase(field); });
}

bool FieldRules::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Input reaches the window's QWindow before any widget sees it.
    if (watched->isWindowType() && event->spontaneous() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::KeyPress)) {
        if (static_cast<QWindow*>(watched) != window_->windowHandle()) return false;
        if (type == QEvent::KeyPress) {
            sendBlocked_ = false;
            checkedBeforePress_ = nullptr;
            return false;
        }
        sendBlocked_ = false;
        return checkBeforePress(static_cast<QMouseEvent*>(event));
    }
    if (!watched->isWidgetType()) return false;
    auto* field = static_cast<QLineEdit*>(static_cast<QWidget*>(watched));
    const auto found = fields_.find(field);
    if (found == fields_.end()) return false;

    if (type == QEvent::KeyPress) return filterKey(field, found->second, event);
    if (type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
            reason == Qt::MenuBarFocusReason)
            return false;
        if (checkedBeforePress_ == field) {
            checkedBeforePress_ = nullptr;
            return false;
        }
        runExit(field, found->second);
    }
    return false;
}

bool FieldRules::filterKey(QLineEdit* field, const Rules& rules, QEvent* event) {
    if (!rules.key) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (copy, paste, mnemonics) and non-character keys pass.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.size() != 1 || !isPrintable(text[0])) return false;
    QChar typed = text[0];
    rules.key(field, typed);
    if (typed == text[0]) return false;
    if (!typed.isNull() && !field->isReadOnly()) field->insert(QString(typed));
    return true;
}

bool FieldRules::runExit(QLineEdit* field, const Rules& rules) {
    if (!rules.exit) return true;
    const bool ok = runGuarded(window_, [&] { rules.exit(field); });
    if (!ok) sendBlocked_ = true;
    return ok;
}

bool FieldRules::checkBeforePress(QMouseEvent* press) {
    checkedBeforePress_ = nullptr;
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!field || field->window() != window_) return false;
    const auto found = fields_.find(field);
    if (found == fields_.end()) return false;
    QWidget* target = clickFocusTarget(window_, press->globalPosition());
    if (!target || target == field) return false;
    if (!runExit(field, found->second)) return true;  // drop the press; focus stays
    checkedBeforePress_ = field;
    return false;
}

}  // namespace cuponex
