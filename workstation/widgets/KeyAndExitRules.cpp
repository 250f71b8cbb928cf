#include "widgets/KeyAndExitRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "widgets/ErrorDisplay.h"

namespace cuponex {
namespace {

bool isPrintable(QChar c) {
    return c.unicode() >= 0x20 && c.unicode() != 0x7f;
}

// The widget that a click at this point gives the focus to, found as Qt's own
// click-to-focus finds it: up from the widget under the pointer.
QWidget* clickFocusTarget(QWidget* window, const QPointF& globalPos) {
    QWidget* w = window->childAt(window->mapFromGlobal(globalPos.toPoint()));
    for (; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) return w;
        if (w->isWindow()) break;
    }
    return nullptr;
}

}  // namespace

// Sees input on its way into the window, before any widget handles it: mouse
// presses reach the window's QWindow first, and a shortcut reaches its widget
// before that widget takes the focus.
class KeyAndExitRules::InputWatcher : public QObject {
  public:
    explicit InputWatcher(KeyAndExitRules* rules) : QObject(rules), rules_(rules) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            if (!watched->isWindowType() ||
                static_cast<QWindow*>(watched) != rules_->window_->windowHandle())
                return false;
            auto* press = static_cast<QMouseEvent*>(event);
            return !rules_->allowFocusMove(
                clickFocusTarget(rules_->window_, press->globalPosition()));
        }
        if (type == QEvent::Shortcut && watched->isWidgetType()) {
            auto* target = static_cast<QWidget*>(watched);
            if (target->window() != rules_->window_ || !(target->focusPolicy() & Qt::TabFocus))
                return false;
            return !rules_->allowFocusMove(target);
        }
        return false;
    }

  private:
    KeyAndExitRules* rules_;
};

KeyAndExitRules::KeyAndExitRules(QWidget* window)
    : QObject(window), window_(window), watcher_(new InputWatcher(this)) {
    qApp->installEventFilter(watcher_);
}

KeyAndExitRules::~KeyAndExitRules() {
    qApp->removeEventFilter(watcher_);
}

void KeyAndExitRules::attach(QLineEdit* field, KeyFilter key, ExitRule exit) {
    fields_[field] = Rules{std::move(key), std::move(exit)};
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this, [this, field] { fields_.erase(field); });
}

bool KeyAndExitRules::eventFilter(QObject* watched, QEvent* event) {
    auto* field = static_cast<QLineEdit*>(static_cast<QWidget*>(watched));
    const auto found = fields_.find(field);
    if (found == fields_.end()) return false;

    if (event->type() == QEvent::KeyPress) return filterKey(field, found->second, event);
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
            reason == Qt::MenuBarFocusReason)
            return false;
        if (checkedBeforeMove_ == field) {
            checkedBeforeMove_ = nullptr;
            return false;
        }
        runExit(field, found->second);
    }
    return false;
}

bool KeyAndExitRules::filterKey(QLineEdit* field, const Rules& rules, QEvent* event) {
    if (!rules.key) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (copy, paste, mnemonics) and keys without a character pass.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.size() != 1 || !isPrintable(text[0])) return false;
    QChar typed = text[0];
    rules.key(field, typed);
    if (typed == text[0]) return false;
    if (!typed.isNull() && !field->isReadOnly()) field->insert(QString(typed));
    return true;
}

bool KeyAndExitRules::runExit(QLineEdit* field, const Rules& rules) {
    if (!rules.exit) return true;
    return runGuarded(window_, [&] { rules.exit(field); });
}

bool KeyAndExitRules::allowFocusMove(QWidget* target) {
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!target || !field || target == field) return true;
    const auto found = fields_.find(field);
    if (found == fields_.end()) return true;
    if (!runExit(field, found->second)) return false;
    // The focus moves while this input is handled; its FocusOut must not run
    // the rule a second time.
    checkedBeforeMove_ = field;
    QTimer::singleShot(0, this, [this] { checkedBeforeMove_ = nullptr; });
    return true;
}

}  // namespace cuponex
