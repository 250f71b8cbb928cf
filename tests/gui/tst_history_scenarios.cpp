// The history window's ways back to the printer: sending selected rows again,
// saving the session as a scenario file, and the free command line.

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "history/ExchangeHistory.h"
#include "history/uHistorico.h"
#include "ui_tab05.h"
#include "ui_tab18.h"
#include "window/uPrincipal.h"

using testsupport::FakeLink;
using testsupport::MessageCapture;
using testsupport::readFile;

namespace {

template <typename T>
T* child(QWidget* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
}

// Selects the given rows of the history table, as with Ctrl+clicks.
void selectRows(QTableView* grid, std::initializer_list<int> rows) {
    grid->clearSelection();
    for (int row : rows)
        grid->selectionModel()->select(grid->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace

class HistoryScenarioTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString prefix() const { return dir_.path() + "/"; }

    // A window whose history holds 05 (answered), 18 (answered) and 05 (a
    // timeout), with the history window open.
    TfrmHistorico* session(TfrmPrincipal& w) {
        w.ui.edCaminho->setText(prefix());
        {
            FakeLink link(prefix(), [](const std::string& request) {
                return ".+" + request.substr(2, 2) + "00 \t\xC7";
            });
            w.t05->btnEnviaSemParametro->click();
            w.t18->BitBtn21->click();
        }
        w.history()->append(
            {"12:00:00.000", "\x1b.05}", ".-P006}", cuponex::ExchangeOutcome::Timeout, 5000000});
        QFile::remove(prefix() + "eq.MSG");
        w.ui.btnHistorico->click();
        return w.findChild<TfrmHistorico*>(QStringLiteral("frmHistorico"));
    }

  private slots:
    void reenviarSendsTheSelectedRowsOldestFirst() {
        TfrmPrincipal w;
        TfrmHistorico* window = session(w);
        QVERIFY(window);
        auto* grid = child<QTableView>(window, "gridHistorico");
        auto* reenviar = child<QPushButton>(window, "btnReenviar");
        QVERIFY(grid && reenviar);
        QCOMPARE(reenviar->text(), QStringLiteral("Reenviar"));
        QVERIFY(!reenviar->isEnabled());  // nothing selected

        FakeLink link(prefix(),
                      [](const std::string& request) { return "R" + request.substr(2, 2); });
        selectRows(grid, {1, 0});
        reenviar->click();
        QVERIFY(!reenviar->isEnabled());  // one at a time
        QTRY_VERIFY(!child<QPushButton>(window, "btnParar")->isEnabled());
        const std::vector<std::string> sent = link.requests();
        QCOMPARE(sent, (std::vector<std::string>{"\x1b.05}\n", "\x1b.18}\n"}));
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(w.ui.edEnviado->text(), QStringLiteral("\x1b.18}"));
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral("R18"));

        grid->clearSelection();
        reenviar->click();  // from code while disabled: still nothing
        QCOMPARE(link.requests().size(), size_t(2));
    }

    void reenviarStopsAtTheFirstInputOutputErrorAndShowsItOnce() {
        MessageCapture boxes;
        TfrmPrincipal w;
        TfrmHistorico* window = session(w);
        QVERIFY(window);
        auto* grid = child<QTableView>(window, "gridHistorico");
        w.ui.edCaminho->setText(prefix() + "missing/");
        selectRows(grid, {0, 1, 2});
        child<QPushButton>(window, "btnReenviar")->click();
        QTRY_VERIFY(!child<QPushButton>(window, "btnParar")->isEnabled());
        QCOMPARE(boxes.errors.size(), 1);
        QCOMPARE(grid->model()->rowCount(), 4);  // one more row, the failed one
    }

    void salvarWritesEveryRowAsAScenarioWholeOrNotAtAll() {
        MessageCapture boxes;
        TfrmPrincipal w;
        TfrmHistorico* window = session(w);
        QVERIFY(window);
        w.ui.edCaminho->setText(prefix() + "missing/");
        w.t05->btnEnviaSemParametro->click();  // an input/output error
        QCOMPARE(boxes.errors.size(), 1);
        auto* salvar = child<QPushButton>(window, "btnSalvar");
        QVERIFY(salvar);
        QCOMPARE(salvar->text(), QStringLiteral("Salvar…"));

        QString asked = prefix() + "session.txt";
        TfrmHistorico::askFileName() = [&asked](QWidget*) { return asked; };
        salvar->click();
        const std::string text = readFile(asked);
        QCOMPARE(QString::fromLatin1(text.substr(0, text.find("# erro de E/S: "))),
                 QStringLiteral("05\t.+0500 \\x09\\xC7\n"
                                "18\t.+1800 \\x09\\xC7\n"
                                "05\t.-P006}\n"));
        QVERIFY(text.ends_with("/missing/eqW.MSG\n05\n"));

        // Ctrl+S does the same; a failure is shown once and leaves no
        // temporary file behind (a directory stands where the file would go).
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QVERIFY(QDir(prefix()).mkpath("taken/inside"));
        asked = prefix() + "taken";
        const QStringList filesBefore = QDir(prefix()).entryList(QDir::Files | QDir::Hidden);
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(boxes.errors.size(), 2);
        QVERIFY2(boxes.errors.last().contains(QStringLiteral("taken")),
                 qPrintable(boxes.errors.last()));
        QCOMPARE(QDir(prefix()).entryList(QDir::Files | QDir::Hidden), filesBefore);
        QVERIFY(QFileInfo(prefix() + "taken/inside").isDir());

        // Cancelling the dialog writes nothing.
        TfrmHistorico::askFileName() = [](QWidget*) { return QString(); };
        salvar->click();
        QCOMPARE(boxes.errors.size(), 2);
    }

    // A request no link took is saved as a failure: the reason, then the
    // command with nothing to compare, so the file never expects a silence.
    void salvarWritesARowNoLinkTookAsACommentAndTheCommandAlone() {
        TfrmPrincipal w;
        TfrmHistorico* window = session(w);
        QVERIFY(window);
        w.history()->append(
            {"12:00:06.000", "\x1b.42}", ".-P006}", cuponex::ExchangeOutcome::NotTaken, 5000000});
        const QString asked = prefix() + "not-taken.txt";
        TfrmHistorico::askFileName() = [&asked](QWidget*) { return asked; };
        child<QPushButton>(window, "btnSalvar")->click();
        QCOMPARE(QString::fromLatin1(readFile(asked)),
                 QStringLiteral("05\t.+0500 \\x09\\xC7\n"
                                "18\t.+1800 \\x09\\xC7\n"
                                "05\t.-P006}\n"
                                "# n\\xE3o retirado: Nenhum eqlink retirou o pedido deste "
                                "diret\\xF3rio.\n"
                                "42\n"));
    }

    void freeCommandLineSendsTheNotationsBytesOrShowsWhyNot() {
        MessageCapture boxes;
        TfrmPrincipal w;
        TfrmHistorico* window = session(w);
        QVERIFY(window);
        auto* line = child<QLineEdit>(window, "edComandoLivre");
        auto* enviar = child<QPushButton>(window, "btnEnviarLivre");
        QVERIFY(line && enviar);
        QCOMPARE(enviar->text(), QStringLiteral("Enviar"));

        FakeLink link(prefix(), [](const std::string&) { return std::string(".+3200"); });
        line->setText(QStringLiteral("32AB\\x09\\\\\\xE7\\x20"));
        enviar->click();
        QCOMPARE(link.lastRequest(), std::string("\x1b.32AB\t\\\xE7 }\n"));
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral(".+3200"));

        line->setText(QStringLiteral("37"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(link.lastRequest(), std::string("\x1b.37}\n"));

        // Letters typed as they are go out as their bytes (tst_free_command_line).
        for (const QString& bad : {QStringLiteral("52\\q"), QStringLiteral("52\\x4"), QString()}) {
            line->setText(bad);
            const qsizetype errors = boxes.errors.size();
            enviar->click();
            QCOMPARE(boxes.errors.size(), errors + 1);
        }
        QCOMPARE(link.requests().size(), size_t(2));
    }
};

QTEST_MAIN(HistoryScenarioTest)
#include "tst_history_scenarios.moc"
