// The exchange history: what each exchange leaves in the window's table
// (replies, the timeout, an input/output error), copying rows, emptying it,
// and opening the window from its button and from Ctrl+H.

#include <QBrush>
#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "history/ExchangeHistory.h"
#include "history/uHistorico.h"
#include "ui_tab05.h"
#include "ui_tab18.h"
#include "window/uPrincipal.h"

using testsupport::FakeLink;
using testsupport::MessageCapture;

namespace {

enum { Hora, Comando, Enviado, Hex, Recebido, Ms };

QString cell(const QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

double milliseconds(const QTableView* grid, int row) {
    bool ok = false;
    const double value = cell(grid, row, Ms).replace(',', '.').toDouble(&ok);
    return ok ? value : -1;
}

// The history window after a click on "Histórico".
TfrmHistorico* openHistory(TfrmPrincipal& w) {
    w.ui.btnHistorico->click();
    return w.findChild<TfrmHistorico*>(QStringLiteral("frmHistorico"));
}

QTableView* gridOf(TfrmHistorico* window) {
    return window ? window->findChild<QTableView*>(QStringLiteral("gridHistorico")) : nullptr;
}

}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString prefix() const { return dir_.path() + "/"; }

  private slots:
    void twoRepliesAndATimeoutWhileTheWindowIsOpen() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(prefix());
        w.show();
        QTableView* grid = gridOf(openHistory(w));
        QVERIFY(grid && grid->isVisible());
        QCOMPARE(grid->model()->rowCount(), 0);
        const QStringList headers{"Hora", "Comando", "Enviado", "Hex", "Recebido", "ms"};
        for (int column = 0; column < headers.size(); ++column)
            QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        {
            FakeLink link(prefix(), [](const std::string& request) {
                return request.substr(2, 2) == "05" ? std::string(".+0500")
                                                    : std::string("R\t\x01\xC7");
            });
            w.t05->btnEnviaSemParametro->click();
            w.t18->BitBtn21->click();
        }
        w.t05->btnEnviaSemParametro->click();  // nobody takes it: withdrawn
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral(".-P006}"));

        QCOMPARE(grid->model()->rowCount(), 3);
        const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"));
        for (int row = 0; row < 3; ++row)
            QVERIFY2(time.match(cell(grid, row, Hora)).hasMatch(), qPrintable(cell(grid, row, 0)));

        QCOMPARE(cell(grid, 0, Comando), QStringLiteral("05"));
        QCOMPARE(cell(grid, 0, Enviado), QStringLiteral("<ESC>.05}"));
        QCOMPARE(cell(grid, 0, Hex), QStringLiteral("1B 2E 30 35 7D"));
        QCOMPARE(cell(grid, 0, Recebido), QStringLiteral(".+0500"));
        QVERIFY(milliseconds(grid, 0) >= 0 && milliseconds(grid, 0) < 4000);

        QCOMPARE(cell(grid, 1, Comando), QStringLiteral("18"));
        QCOMPARE(cell(grid, 1, Enviado), QStringLiteral("<ESC>.18}"));
        QCOMPARE(cell(grid, 1, Hex), QStringLiteral("1B 2E 31 38 7D"));
        QCOMPARE(cell(grid, 1, Recebido), QStringLiteral("R<09><01>Ç"));

        QCOMPARE(cell(grid, 2, Comando), QStringLiteral("05"));
        QCOMPARE(cell(grid, 2, Recebido), QStringLiteral("[não retirado] .-P006}"));
        QVERIFY2(milliseconds(grid, 2) >= 5000 && milliseconds(grid, 2) < 6500,
                 qPrintable(cell(grid, 2, Ms)));
    }

    // Both ends without a reply are red; the hint on the received cell tells
    // a request no link took from one the printer did not answer in time.
    void takenAndNotTakenRowsTellWhyThereWasNoReply() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(prefix());
        w.t05->btnEnviaSemParametro->click();  // no link: not taken
        w.history()->append(
            {"12:00:00.000", "\x1b.13}", ".-P006}", cuponex::ExchangeOutcome::Timeout, 5000000});
        {
            FakeLink link(prefix());
            w.t05->btnEnviaSemParametro->click();
        }
        QTableView* grid = gridOf(openHistory(w));
        QVERIFY(grid);
        struct Row {
            QString received, tip;
            bool red;
        };
        const QList<Row> rows = {
            {"[não retirado] .-P006}", "Nenhum eqlink retirou o pedido deste diretório.", true},
            {"[tempo esgotado] .-P006}", "[tempo esgotado] .-P006}", true},
            {".+OK", ".+OK", false},
        };
        for (int row = 0; row < rows.size(); ++row) {
            const QModelIndex index = grid->model()->index(row, Recebido);
            QCOMPARE(index.data().toString(), rows[row].received);
            QCOMPARE(index.data(Qt::ToolTipRole).toString(), rows[row].tip);
            for (int column = 0; column < 6; ++column) {
                const QVariant colour = grid->model()->index(row, column).data(Qt::ForegroundRole);
                QCOMPARE(colour.isValid() && colour.value<QBrush>().color() == QColor(176, 0, 0),
                         rows[row].red);
            }
        }
    }

    void ioErrorIsRecordedAndStillShownOnce() {
        MessageCapture boxes;
        TfrmPrincipal w;
        w.ui.edCaminho->setText(prefix() + "missing/");
        w.t05->btnEnviaSemParametro->click();
        QCOMPARE(boxes.errors.size(), 1);
        QTableView* grid = gridOf(openHistory(w));
        QVERIFY(grid);
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(cell(grid, 0, Enviado), QStringLiteral("<ESC>.05}"));
        const QString received = cell(grid, 0, Recebido);
        QVERIFY2(received.startsWith(QStringLiteral("[erro de E/S] ")), qPrintable(received));
        QCOMPARE(received.mid(14) + ".", boxes.errors[0]);
        QVERIFY(received.contains(QStringLiteral("missing/eqW.MSG")));
    }

    void aReplyThatReadsLikeTheTimeoutIsNotMarked() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(prefix());
        FakeLink link(prefix(), [](const std::string&) { return std::string(".-P006}"); });
        w.t05->btnEnviaSemParametro->click();
        QTableView* grid = gridOf(openHistory(w));
        QVERIFY(grid);
        QCOMPARE(cell(grid, 0, Recebido), QStringLiteral(".-P006}"));
        QVERIFY(milliseconds(grid, 0) < 4000);
    }

    void selectedRowsCopyAsTabSeparatedLinesAndLimparEmpties() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(prefix());
        w.show();
        TfrmHistorico* window = openHistory(w);
        QTableView* grid = gridOf(window);
        QVERIFY(grid && QTest::qWaitForWindowExposed(window));
        {
            int n = 0;
            FakeLink link(prefix(), [&n](const std::string&) {
                return "A\tB" + std::to_string(++n);  // a tab must not split a cell
            });
            for (int i = 0; i < 3; ++i) w.t05->btnEnviaSemParametro->click();
        }
        QCOMPARE(grid->model()->rowCount(), 3);
        auto* copiar = window->findChild<QPushButton*>(QStringLiteral("btnCopiar"));
        auto* limpar = window->findChild<QPushButton*>(QStringLiteral("btnLimpar"));
        QVERIFY(copiar && limpar);
        QVERIFY(!copiar->isEnabled());  // nothing selected yet

        // Row 2 first, then row 0 with Ctrl: the copy is still oldest first.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(2, Recebido)).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          grid->visualRect(grid->model()->index(0, Recebido)).center());
        QVERIFY(copiar->isEnabled());
        QString expected;
        for (int row : {0, 2}) {
            QStringList cells;
            for (int column = 0; column < grid->model()->columnCount(); ++column)
                cells << cell(grid, row, column);
            expected += cells.join('\t') + '\n';
        }
        QVERIFY(expected.contains(QStringLiteral("\tA<09>B3\t")));

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), expected);
        clipboard->clear();
        copiar->click();
        QCOMPARE(clipboard->text(), expected);

        limpar->click();
        QCOMPARE(grid->model()->rowCount(), 0);
        QVERIFY(!copiar->isEnabled());
        FakeLink link(prefix());
        w.t05->btnEnviaSemParametro->click();
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(cell(grid, 0, Recebido), QStringLiteral(".+OK"));
    }

    void ctrlHOpensOneWindowThatKeepsTheNewestInView() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!w.findChild<TfrmHistorico*>());
        QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier);
        auto* window = w.findChild<TfrmHistorico*>(QStringLiteral("frmHistorico"));
        QVERIFY(window && window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QCOMPARE(window->windowTitle(), QStringLiteral("Histórico"));
        QVERIFY(w.isEnabled());
        QCOMPARE(openHistory(w), window);  // the button brings the same window forward
        QCOMPARE(w.findChildren<TfrmHistorico*>().size(), 1);

        // A long history scrolls so that the newest row stays in view.
        QTableView* grid = gridOf(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (int i = 0; i < 200; ++i) w.history()->append({"12:00:00.000", "\x1b.05}", ".+0500"});
        QCoreApplication::processEvents();
        const QRect view = grid->viewport()->rect();
        QVERIFY(view.intersects(grid->visualRect(grid->model()->index(199, 0))));
        QVERIFY(grid->verticalScrollBar()->value() > 0);
    }

    void closingTheMainWindowStillEndsTheProgram() {
        TfrmPrincipal w;
        w.show();
        TfrmHistorico* window = openHistory(w);
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QTimer::singleShot(0, &w, [&w] { w.close(); });
        QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(2); });  // still running
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void buttonFitsBesideTheExchangeFields() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(697, 589));
        QPushButton* button = w.ui.btnHistorico;
        QCOMPARE(button->text(), QStringLiteral("Histórico"));
        QVERIFY(button->isVisible());
        QVERIFY(button->width() >= button->fontMetrics().horizontalAdvance(button->text()));
        const QRect panel = w.ui.Panel2->contentsRect();
        QVERIFY(panel.contains(button->geometry()));
        for (QLineEdit* field : {w.ui.edEnviado, w.ui.edRecebido}) {
            QVERIFY(field->isVisible());
            QVERIFY(field->width() >= 500);
            QVERIFY(field->geometry().right() < button->geometry().left());
        }
        QCOMPARE(QApplication::focusWidget(), w.ui.edRecebido);
    }
};

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"
