#pragma once
// Drives the main window the way the operator does (clicks, typing, Tab)
// against a stand-in link program that answers ".+" and the command code.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "window/uPrincipal.h"

namespace testsupport {

// The bytes of eq.MSG for a command text, one character per byte.
inline QString frame(const std::string& commandText) {
    return QString::fromLatin1("\x1B." + commandText + "}\n");
}

struct SaleTabDriver {
    QTemporaryDir dir;
    std::unique_ptr<FakeLink> link;
    std::unique_ptr<TfrmPrincipal> window;

    // Shows the window on the given working directory; false if it never
    // became active.
    bool open(const QString& workingDir = {}) {
        const QString path = workingDir.isEmpty() ? dir.path() + "/" : workingDir;
        if (workingDir.isEmpty()) {
            link = std::make_unique<FakeLink>(
                path, [](const std::string& request) { return ".+" + request.substr(2, 2); });
        }
        window = std::make_unique<TfrmPrincipal>();
        window->ui.edCaminho->setText(path);
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

    TfrmPrincipal& w() { return *window; }

    std::size_t sentCount() const { return link->requests().size(); }
    QString lastSent() const { return QString::fromLatin1(link->lastRequest()); }
    QString reply() const { return window->ui.edRecebido->text(); }

    // Clicks a check box or radio button on its indicator.
    static void toggle(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
    }

    void chooseLine(int index) {
        const auto items =
            window->ui.rgLinha->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
        toggle(items.at(index));
    }

    // Clicks the tab's caption in the strip of tab buttons.
    void showTab(const QString& caption) {
        for (auto* button : window->ui.PageControl1Tabs->findChildren<QAbstractButton*>())
            if (button->text() == caption) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        QFAIL(qPrintable("no tab " + caption));
    }

    // Clicks into the field (leaving the field before it), replaces its text
    // by typing.
    static void type(QLineEdit* field, const QString& keys) {
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, keys);
    }

    // Presses Tab in the focused widget.
    static void tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    static QString focused() {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
};

// A test case that opens a fresh window, with a stand-in link program, for
// each test function, and closes it afterwards.
class TabTestCase : public QObject {
    Q_OBJECT
  protected:
    std::unique_ptr<SaleTabDriver> d;

  private slots:
    void init() {
        d = std::make_unique<SaleTabDriver>();
        QVERIFY(d->open());
    }
    void cleanup() { d.reset(); }
};

}  // namespace testsupport
