// The tabs by command: every tab's tool tip names its command from the one
// table of names, and Ctrl+G shows the tab of the code typed or says why not.

#include <QApplication>
#include <QHelpEvent>
#include <QInputDialog>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <optional>

#include "GuiTestSupport.h"
#include "commands/CommandNames.h"
#include "commands/GoToCommand.h"
#include "window/uPrincipal.h"

using testsupport::MessageCapture;

Q_DECLARE_METATYPE(std::optional<QString>)

class CommandTabsTest : public QObject {
    Q_OBJECT

    cuponex::AskCommandCode realAsk_;

    static QString currentCaption(TfrmPrincipal& w) {
        return w.ui.PageControl1->tabText(w.ui.PageControl1->currentIndex());
    }

    static void pressCtrlG(TfrmPrincipal& w) {
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    }

  private slots:
    void initTestCase() { realAsk_ = cuponex::askCommandCode(); }
    void cleanup() { cuponex::askCommandCode() = realAsk_; }

    // The book's tool tips and the strip's buttons, which are what the mouse
    // finds, both carry the table's title; the caption stays the code.
    void everyTabIsNamedFromTheTable() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTabWidget* book = w.ui.PageControl1;
        const auto buttons = w.ui.PageControl1Tabs->findChildren<QToolButton*>();
        const auto commands = cuponex::tabCommands();
        QCOMPARE(book->count(), 51);
        QCOMPARE(qsizetype(commands.size()), 51);
        QCOMPARE(buttons.size(), 51);
        for (int i = 0; i < 51; ++i) {
            const cuponex::CommandName& command = commands[size_t(i)];
            const QString code = QString::asprintf("%02d", command.code);
            const QString title = code + QString::fromUtf8(" — ") + QString::fromUtf8(command.name);
            QCOMPARE(book->tabText(i), QLatin1Char('.') + code);
            QCOMPARE(book->tabToolTip(i), title);
            QCOMPARE(buttons[i]->text(), QLatin1Char('.') + code);
            QCOMPARE(buttons[i]->toolTip(), title);
        }
        QCOMPARE(book->tabToolTip(0), QStringLiteral("01 \u2014 Venda de item"));
        QCOMPARE(book->tabToolTip(12), QStringLiteral("13 \u2014 Leitura X"));
        QCOMPARE(book->tabToolTip(37), QStringLiteral("40 \u2014 Logotipo"));

        // Resting the mouse on a button shows its tool tip.
        QToolButton* button = buttons[12];
        const QPoint inside = button->rect().center();
        QHelpEvent rest(QEvent::ToolTip, inside, button->mapToGlobal(inside));
        QApplication::sendEvent(button, &rest);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("13 \u2014 Leitura X"));
        QToolTip::hideText();
    }

    // Ctrl+G opens Qt's input dialog with the question; OK shows the tab,
    // Cancel leaves the book alone and says nothing.
    void ctrlGAsksInADialog() {
        MessageCapture boxes;
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QString label;
        const auto answer = [&label](const QString& typed, bool accept) {
            auto* poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, poll, [poll, &label, typed, accept] {
                auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                label = dialog->labelText() + QLatin1Char('|') + dialog->cancelButtonText();
                dialog->setTextValue(typed);
                accept ? dialog->accept() : dialog->reject();
                poll->deleteLater();
            });
            poll->start(10);
        };
        answer(QStringLiteral("13"), true);
        pressCtrlG(w);
        QCOMPARE(label, QStringLiteral("Ir para o comando:|Cancelar"));
        QCOMPARE(currentCaption(w), QStringLiteral(".13"));

        answer(QStringLiteral("40"), false);
        pressCtrlG(w);
        QCOMPARE(currentCaption(w), QStringLiteral(".13"));
        QVERIFY(boxes.informations.isEmpty() && boxes.errors.isEmpty());
    }

    void ctrlGGoesToTheCodeOrSaysWhyNot_data() {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QString>("tab");      // the tab shown after
        QTest::addColumn<QString>("message");  // the information shown, if any
        const QString stays = QStringLiteral(".20");
        const auto noTab = [](const char* code) {
            return QStringLiteral(
                       "Não há aba para o comando %1. Ele pode ser enviado pela linha "
                       "\"Comando:\" do histórico (Ctrl+H).")
                .arg(QLatin1String(code));
        };
        const QString noCode =
            QStringLiteral("Nenhum código informado. Digite um código de 01 a 54.");
        const auto notACode = [](const QString& shown) {
            return QLatin1Char('"') + shown +
                   QStringLiteral("\" não é um código de comando. Digite um código de 01 a 54.");
        };
        const auto row = [](const char* name, std::optional<QString> typed, QString tab,
                            QString message) { QTest::newRow(name) << typed << tab << message; };
        row("two digits", QStringLiteral("13"), QStringLiteral(".13"), {});
        row("one digit", QStringLiteral("3"), QStringLiteral(".03"), {});
        row("with the point", QStringLiteral(".40"), QStringLiteral(".40"), {});
        row("spaces around", QStringLiteral(" 54 "), QStringLiteral(".54"), {});
        row("the first", QStringLiteral("01"), QStringLiteral(".01"), {});
        row("the tab shown", QStringLiteral("20"), stays, {});
        row("32 has no tab", QStringLiteral("32"), stays, noTab("32"));
        row("37 has no tab", QStringLiteral("37"), stays, noTab("37"));
        row("52 has no tab", QStringLiteral(".52"), stays, noTab("52"));
        row("empty", QString(), stays, noCode);
        row("blanks", QStringLiteral("   "), stays, noCode);
        row("zero", QStringLiteral("0"), stays, notACode(QStringLiteral("0")));
        row("past the last", QStringLiteral("55"), stays, notACode(QStringLiteral("55")));
        row("three digits", QStringLiteral("013"), stays, notACode(QStringLiteral("013")));
        row("letters", QStringLiteral("1a"), stays, notACode(QStringLiteral("1a")));
        row("a sign", QStringLiteral("-5"), stays, notACode(QStringLiteral("-5")));
        row("long", QString(30, QLatin1Char('x')), stays,
            notACode(QString(20, QLatin1Char('x')) + QChar(0x2026)));
        row("cancelled", std::nullopt, stays, {});
    }

    void ctrlGGoesToTheCodeOrSaysWhyNot() {
        QFETCH(std::optional<QString>, typed);
        QFETCH(QString, tab);
        QFETCH(QString, message);
        MessageCapture boxes;
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.ui.PageControl1->setCurrentIndex(19);  // .20
        int asked = 0;
        cuponex::askCommandCode() = [&](QWidget* parent) {
            ++asked;
            return parent == &w ? typed : std::optional<QString>(QStringLiteral("01"));
        };
        pressCtrlG(w);
        QCOMPARE(asked, 1);
        QCOMPARE(currentCaption(w), tab);
        QCOMPARE(boxes.informations, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(boxes.errors.isEmpty());
    }
};

QTEST_MAIN(CommandTabsTest)
#include "tst_command_tabs.moc"
