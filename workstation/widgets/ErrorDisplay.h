#pragma once
// The window's one top-level error display and the boundary that catches every
// error a handler raises, so that no exception crosses a Qt frame.

#include <QString>
#include <functional>

class QWidget;

namespace cuponex {

// The message boxes the program shows. Tests replace them to read the texts.
struct MessageBoxes {
    std::function<void(QWidget* parent, const QString& text)> error;
    std::function<void(QWidget* parent, const QString& text)> information;
};
MessageBoxes& messageBoxes();

// Shows an error's text in a message box, adding a final period when missing.
void showError(QWidget* parent, QString text);

// Runs a handler body; any error it raises is shown by showError. Returns
// false when the body raised an error.
bool runGuarded(QWidget* parent, const std::function<void()>& body);

}  // namespace cuponex
