#pragma once
// Binds key filters and exit rules to the line edits of one window.
//
// A key filter sees every printable character typed into its field and may
// replace or drop it. An exit rule runs whenever the focus leaves its field for
// another control of the window (not when the whole window is deactivated),
// even when the text did not change. A rule that fails (throws) has its error
// shown by the top-level error display; the mouse press that would have moved
// the focus is then dropped and the focus stays in the field, and any send
// started by the same user action is refused (see sendBlocked).

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QLineEdit;
class QWidget;
class QMouseEvent;

namespace cuponex {

class FieldRules : public QObject {
    Q_OBJECT
public:
    // key: the typed character; set it to another character to replace it, or
    // to QChar() to drop the key.
    using KeyFilter = std::function<void(QLineEdit* field, QChar& key)>;
    // May throw; the error is shown and the field keeps its text.
    using ExitRule = std::function<void(QLineEdit* field)>;

    explicit FieldRules(QWidget* window);
    ~FieldRules() override;

    void attach(QLineEdit* field, KeyFilter key, ExitRule exit);

    // True from a failed exit rule until the next key or mouse press the user
    // makes in the window: a click or shortcut that caused the failing
    // focus change must not send a command built from the field.
    bool sendBlocked() const { return sendBlocked_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Rules {
        KeyFilter key;
        ExitRule exit;
    };
    bool filterKey(QLineEdit* field, const Rules& rules, QEvent* event);
    bool runExit(QLineEdit* field, const Rules& rules);
    bool checkBeforePress(QMouseEvent* press);

    QWidget* window_;
    std::map<QLineEdit*, Rules> fields_;
    QPointer<QLineEdit> checkedBeforePress_;  // its exit already ran for this press
    bool sendBlocked_ = false;
};

}  // namespace cuponex
