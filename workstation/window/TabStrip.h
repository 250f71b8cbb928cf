#pragma once
// The tab captions of the command book drawn as flat buttons in several rows,
// so that every caption is visible at once. It drives a QTabWidget whose own
// bar is hidden.

#include <QButtonGroup>
#include <QWidget>

class QTabWidget;

class TabStrip : public QWidget {
    Q_OBJECT
  public:
    explicit TabStrip(QWidget* parent = nullptr);

    // Builds one button per page of the book, with the tab's caption and tool
    // tip, and follows its current page.
    void attach(QTabWidget* book, int columns);

  private:
    QButtonGroup buttons_;
};
