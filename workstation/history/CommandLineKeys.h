#pragma once
// Up and Down on a command line walk through the lines sent from it this
// session (newest first, as in a shell); the window reports each line sent,
// which empties the line.

#include <QObject>
#include <QString>

#include "history/CommandLineHistory.h"

class QLineEdit;

namespace cuponex {

class CommandLineKeys : public QObject {
  public:
    // Lives as long as the line, as its child.
    explicit CommandLineKeys(QLineEdit* line);

    // The line's text went out: it joins the lines sent and the line is emptied.
    void sent();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void show(const std::optional<std::string>& text);

    QLineEdit* line_;
    CommandLineHistory history_;
};

}  // namespace cuponex
