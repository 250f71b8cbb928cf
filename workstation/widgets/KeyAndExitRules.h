#pragma once
// Binds key filters and exit rules to the line edits of one window.
//
// A key filter sees every printable character typed into its field and may
// replace or drop it. An exit rule runs whenever the focus leaves its field for
// another control of the window (not when the whole window is deactivated),
// even when the text did not change. A rule that fails (throws) has its error
// shown by the top-level error display and the field keeps its text.
//
// A mouse press or a shortcut that would move the focus out of a field runs
// the field's exit rule before the focus moves; when the rule fails, the press
// or shortcut is dropped, so the focus stays in the field and the button that
// was clicked never sends a command built from it.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QLineEdit;
class QWidget;

namespace cuponex {

class KeyAndExitRules : public QObject {
    Q_OBJECT
  public:
    // key: the typed character; set it to another character to replace it, or
    // to QChar() to drop the key.
    using KeyFilter = std::function<void(QLineEdit* field, QChar& key)>;
    // May throw; the error is shown and the field keeps its text.
    using ExitRule = std::function<void(QLineEdit* field)>;

    explicit KeyAndExitRules(QWidget* window);
    ~KeyAndExitRules() override;

    void attach(QLineEdit* field, KeyFilter key, ExitRule exit);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Rules {
        KeyFilter key;
        ExitRule exit;
    };
    class InputWatcher;

    bool filterKey(QLineEdit* field, const Rules& rules, QEvent* event);
    bool runExit(QLineEdit* field, const Rules& rules);
    // Runs the focused field's exit rule before the focus moves to target;
    // false when the rule failed and the input that moves it must be dropped.
    bool allowFocusMove(QWidget* target);

    QWidget* window_;
    std::map<QLineEdit*, Rules> fields_;
    InputWatcher* watcher_;
    QPointer<QLineEdit> checkedBeforeMove_;  // its exit rule already ran for this move
};

}  // namespace cuponex
