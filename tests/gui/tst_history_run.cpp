// A scenario run in the history window: each line a row judged as --replay
// judges it, the counts, a run stopped by "Parar", by a request no link took
// or by a bad file; a "Reenviar" stopped part-way; and the window's scenario
// and save errors in Portuguese, paths and system texts shown as they are.

#include <sys/stat.h>
#include <unistd.h>

#include <QBrush>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <clocale>
#include <cstring>

#include "GuiTestSupport.h"
#include "history/ExchangeHistory.h"
#include "history/ScenarioMessages.h"
#include "history/uHistorico.h"
#include "scenario/ReplyPattern.h"
#include "scenario/Scenario.h"
#include "ui_tab05.h"
#include "window/uPrincipal.h"

using cuponex::ExchangeHistory;
using cuponex::ExchangeLog;
using testsupport::FakeLink;
using testsupport::MessageCapture;
using testsupport::readFile;

namespace {

QString cell(const QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

QColor background(const QTableView* grid, int row) {
    const QVariant brush = grid->model()->index(row, ExchangeLog::Hora).data(Qt::BackgroundRole);
    return brush.isValid() ? brush.value<QBrush>().color() : QColor();
}

// The system's text for an error number, as the window must show it.
QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Replies "R" and the command text, so each line's expectation is known.
std::string echo(const std::string& request) {
    return "R" + request.substr(2, request.size() - 4);
}

}  // namespace

class HistoryRunTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString prefix() const { return dir_.path() + "/"; }

    struct Window {
        TfrmPrincipal main;
        TfrmHistorico* history = nullptr;
        QTableView* grid = nullptr;
        QPushButton *executar = nullptr, *parar = nullptr, *reenviar = nullptr;
        QLabel* label = nullptr;
    };

    bool open(Window& w) {
        w.history = testsupport::openHistoryOn(w.main, prefix());
        if (!w.history) return false;
        w.grid = w.history->findChild<QTableView*>(QStringLiteral("gridHistorico"));
        w.executar = w.history->findChild<QPushButton*>(QStringLiteral("btnExecutar"));
        w.parar = w.history->findChild<QPushButton*>(QStringLiteral("btnParar"));
        w.reenviar = w.history->findChild<QPushButton*>(QStringLiteral("btnReenviar"));
        w.label = w.history->findChild<QLabel*>(QStringLiteral("lblRoteiro"));
        return w.grid && w.executar && w.parar && w.reenviar && w.label;
    }

    // Writes a scenario and has "Executar roteiro…" pick it.
    QString scenario(const QString& name, const std::string& text) {
        const QString path = prefix() + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(text.data(), qint64(text.size()));
        TfrmHistorico::askScenarioName() = [path](QWidget*) { return path; };
        return path;
    }

    // Runs what "Executar roteiro…" picks, to its end.
    static bool run(Window& w) {
        w.executar->click();
        return QTest::qWaitFor([&] { return !w.parar->isEnabled(); }, 20000);
    }

    // Clicks "Parar" between exchanges, once the first row is in.
    static void stopAfterFirstRow(Window& w, const std::function<void()>& stop) {
        auto* once = new QObject(w.history);
        QObject::connect(w.main.history(), &QAbstractItemModel::rowsInserted, once, [once, stop] {
            QTimer::singleShot(0, stop);
            once->deleteLater();
        });
    }

  private slots:
    void initTestCase() {
        // The system's texts in Portuguese where the system has them: a
        // reason with "ó" must come through as the system gives it.
        std::setlocale(LC_ALL, "pt_BR.UTF-8");
    }

    void eachLineIsARowJudgedAsTheReplayJudgesIt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("counts");
        QTest::newRow("plural but one")
            << QStringLiteral("# a comment\n05\tR05\n42\tR42\n\n43\tR99\\x09\n13\n")
            << QStringList{"igual", "igual", "difere", "não comparado"}
            << QStringLiteral("4 trocas: 2 iguais, 1 difere, 1 não comparada");
        QTest::newRow("singular but one")
            << QStringLiteral("05\tR05\n42\tX\n43\tY\n13\n14\n")
            << QStringList{"igual", "difere", "difere", "não comparado", "não comparado"}
            << QStringLiteral("5 trocas: 1 igual, 2 diferem, 2 não comparadas");
        QTest::newRow("patterns") << QStringLiteral("05\tR{{\\d+}}\n42\t{{R4.}}\n43\tR{{[a-z]}}\n")
                                  << QStringList{"igual", "igual", "difere"}
                                  << QStringLiteral(
                                         "3 trocas: 2 iguais, 1 difere, 0 não comparadas");
    }

    void eachLineIsARowJudgedAsTheReplayJudgesIt() {
        QFETCH(QString, text);
        QFETCH(QStringList, results);
        QFETCH(QString, counts);
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        FakeLink link(prefix(), echo);
        w.main.t05->btnEnviaSemParametro->click();  // a tab's row: nothing to judge
        const std::vector<cuponex::ScenarioStep> steps =
            cuponex::parseScenario(text.toStdString(), "s");
        scenario("s.txt", text.toStdString());

        // While each exchange waits, the label names its line.
        QStringList shown;
        connect(w.main.history(), &QAbstractItemModel::rowsInserted, w.label,
                [&] { shown << w.label->text(); });
        QCOMPARE(w.executar->text(), QStringLiteral("Executar roteiro…"));
        QVERIFY(!w.parar->isEnabled());
        w.executar->click();
        QVERIFY(w.parar->isEnabled());
        QVERIFY(!w.executar->isEnabled());
        QVERIFY(run(w));
        QVERIFY(boxes.errors.isEmpty());

        QCOMPARE(w.grid->model()->rowCount(), 1 + results.size());
        QCOMPARE(cell(w.grid, 0, ExchangeLog::Esperado), QString());
        QCOMPARE(cell(w.grid, 0, ExchangeLog::Resultado), QString());
        QVERIFY(!background(w.grid, 0).isValid());
        QCOMPARE(w.grid->model()->headerData(ExchangeLog::Esperado, Qt::Horizontal).toString(),
                 QStringLiteral("Esperado"));
        QCOMPARE(w.grid->model()->headerData(ExchangeLog::Resultado, Qt::Horizontal).toString(),
                 QStringLiteral("Resultado"));
        for (int i = 0; i < results.size(); ++i) {
            const int row = i + 1;
            const cuponex::ScenarioStep& step = steps[size_t(i)];
            QCOMPARE(link.requests()[size_t(row)], "\x1b." + step.command + "}\n");
            QCOMPARE(cell(w.grid, row, ExchangeLog::Esperado),
                     step.expected ? QString::fromStdString(cuponex::expectedAsWritten(step))
                                   : QString());
            QCOMPARE(cell(w.grid, row, ExchangeLog::Resultado), results[i]);
            const QColor colour = results[i] == "igual"    ? ExchangeHistory::kEqualColour
                                  : results[i] == "difere" ? ExchangeHistory::kDiffersColour
                                                           : QColor();
            QCOMPARE(background(w.grid, row), colour);
            QCOMPARE(shown[i], QStringLiteral("Linha %1 de %2: %3")
                                   .arg(step.line)
                                   .arg(steps.back().line)
                                   .arg(QString::fromStdString(step.command)));
        }
        QCOMPARE(w.label->text(), counts);
        QCOMPARE(w.main.ui.edRecebido->text(), QString::fromStdString("R" + steps.back().command));
        QVERIFY(w.executar->isEnabled());

        // "Salvar…" writes what ran: the replies received.
        const QString saved = prefix() + "ran.txt";
        TfrmHistorico::askFileName() = [saved](QWidget*) { return saved; };
        w.history->findChild<QPushButton*>(QStringLiteral("btnSalvar"))->click();
        std::string expected = "05\tR05\n";
        for (const cuponex::ScenarioStep& step : steps)
            expected += step.command + "\tR" + step.command + "\n";
        QCOMPARE(readFile(saved), expected);
    }

    // "Parar" is handled between two exchanges: the rest is not sent.
    void aStoppedRunSendsNoMore() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        FakeLink link(prefix(), echo);
        scenario("five.txt", "05\tR05\n42\n43\n44\n45\n");
        stopAfterFirstRow(w, [&w] { w.parar->click(); });
        QVERIFY(run(w));
        QCOMPARE(link.requests(), std::vector<std::string>{"\x1b.05}\n"});
        QCOMPARE(w.grid->model()->rowCount(), 1);
        QCOMPARE(w.label->text(),
                 QStringLiteral("Parado antes da linha 2 — 1 troca: 1 igual, 0 diferem, 0 "
                                "não comparadas"));
        QVERIFY(boxes.errors.isEmpty());
        QVERIFY(w.executar->isEnabled());
    }

    // A request no link took is withdrawn: the run stops there and says so once.
    void aRequestNoLinkTookStopsTheRun() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        scenario("nobody.txt", "05\tR05\n42\n");
        QVERIFY(run(w));
        QCOMPARE(w.grid->model()->rowCount(), 1);
        QCOMPARE(cell(w.grid, 0, ExchangeLog::Recebido), QStringLiteral("[não retirado] .-P006}"));
        QCOMPARE(cell(w.grid, 0, ExchangeLog::Esperado), QStringLiteral("R05"));
        QCOMPARE(cell(w.grid, 0, ExchangeLog::Resultado), QString());
        QCOMPARE(boxes.errors,
                 QStringList{QStringLiteral(
                     "O roteiro parou na linha 1 (comando 05): nenhum eqlink retirou o pedido do "
                     "diretório de trabalho; ele foi desfeito e não chega à impressora. Verifique "
                     "se o eqlink está em execução.")});
        QCOMPARE(w.label->text(), QStringLiteral("Interrompido na linha 1 — 0 trocas: 0 iguais, 0 "
                                                 "diferem, 0 não comparadas"));
        QVERIFY(!QFile::exists(prefix() + "eq.MSG"));
    }

    void anInputOutputErrorStopsTheRun() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        scenario("io.txt", "05\n42\n");
        w.main.ui.edCaminho->setText(prefix() + "missing/");
        QVERIFY(run(w));
        QCOMPARE(w.grid->model()->rowCount(), 1);
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY2(boxes.errors[0].startsWith(QStringLiteral("O roteiro parou na linha 1 (comando "
                                                           "05): Erro de entrada/saída")),
                 qPrintable(boxes.errors[0]));
        QVERIFY(boxes.errors[0].contains(systemText(ENOENT)));
    }

    // A bad file is read whole and said in Portuguese with its line; nothing
    // is sent. Every reason the reader gives has its row.
    void aBadFileSendsNothingAndIsToldInPortuguese_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* text, const char* message) {
            QTest::newRow(name) << QByteArray(text) << QString::fromUtf8(message);
        };
        row("a raw byte", "05\n# ok\n01\xC3\xA7\n",
            "linha 3: byte 0xC3 sem escape; escreva-o como \\xC3");
        row("a second TAB", "05\tA\tB\n",
            "linha 1: mais de um TAB; só um separa o comando da resposta esperada (um TAB dentro "
            "de um texto é \\x09)");
        row("an empty command", "05\n\tR\n", "linha 2: o texto do comando está vazio");
        row("a lone backslash", "05\\\n",
            "linha 1: uma barra invertida sozinha no fim; escreva a barra como \\\\");
        row("one hex digit", "05\t\\x4\n",
            "linha 1: \\x sem dois algarismos hexadecimais; escreva o byte como \\xHH");
        row("an unknown escape", "\n05\\q\n",
            "linha 2: escape desconhecido \\q; use \\xHH para um byte qualquer ou \\\\ para a "
            "barra "
            "invertida");
        row("a raw control byte after a backslash", "05\\\x01\n",
            "linha 1: byte 0x01 sem escape; escreva-o como \\x01");
    }

    void aBadFileSendsNothingAndIsToldInPortuguese() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        FakeLink link(prefix());
        const QString path = scenario("bad.txt", text.toStdString());
        w.executar->click();
        QCOMPARE(boxes.errors,
                 QStringList{QStringLiteral("O roteiro %1 tem um erro na %2.").arg(path, message)});
        QVERIFY(!w.parar->isEnabled());
        QTest::qWait(20);
        QVERIFY(link.requests().empty());
        QCOMPARE(w.grid->model()->rowCount(), 0);
    }

    // What keeps a file from being read: the path and the system's text as
    // they are, the reader's own reasons in Portuguese.
    void anUnreadableFileIsToldWithItsPathAsItIs() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        QVERIFY(QDir(prefix()).mkpath("Área de Trabalho/pasta"));
        const QString folder = prefix() + "Área de Trabalho/";
        QVERIFY(::mkfifo(QFile::encodeName(folder + "fila").constData(), 0600) == 0);
        {
            QFile big(folder + "grande.txt");
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(64 * 1024 * 1024 + 1));
        }
        const QList<QPair<QString, QString>> cases = {
            {"falta.txt", systemText(ENOENT)},
            {"pasta", systemText(EISDIR)},
            {"fila", "não é um arquivo comum"},
            {"grande.txt", "tem mais de 64 MiB, grande demais para um roteiro"},
        };
        for (const auto& [name, why] : cases) {
            const QString path = folder + name;
            TfrmHistorico::askScenarioName() = [path](QWidget*) { return path; };
            boxes.errors.clear();
            w.executar->click();
            QCOMPARE(boxes.errors, QStringList{QStringLiteral("Não foi possível ler o roteiro "
                                                              "%1: %2.")
                                                   .arg(path, why)});
        }
        QCOMPARE(w.grid->model()->rowCount(), 0);
    }

    // The reasons an expected reply's patterns can give, as the reader gives
    // them, each with its Portuguese text; PCRE2's own message stays.
    void everyPatternReasonHasItsPortugueseText() {
        const QList<QPair<QByteArray, QString>> cases = {
            {"A{{\\d", "um padrão {{ sem o seu fim }}"},
            {"A{{}}", "um padrão vazio {{}}"},
            {"A{{\x01}}", "byte 0x01 sem escape dentro de um padrão; escreva-o como \\x01"},
        };
        for (const auto& [field, message] : cases) {
            try {
                cuponex::ExpectedReply::parse(field.toStdString());
                QFAIL(field.constData());
            } catch (const cuponex::ScenarioError& error) {
                QCOMPARE(cuponex::portugueseScenarioReason(error.what()), message);
            }
        }
        try {
            cuponex::ExpectedReply::parse("{{(}}");
            QFAIL("an unclosed group compiled");
        } catch (const cuponex::ScenarioError& error) {
            const QString text = cuponex::portugueseScenarioReason(error.what());
            QVERIFY2(text.startsWith(
                         QStringLiteral("o padrão {{(}} não é uma expressão regular válida: ")),
                     qPrintable(text));
            QVERIFY2(text.endsWith(QStringLiteral(" (posição 1)")), qPrintable(text));
        }
    }

    // A "Reenviar" of many rows runs the same way; Esc stops it part-way.
    void reenviarStopsPartWay() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        {
            FakeLink link(prefix());
            for (int i = 0; i < 5; ++i) w.main.t05->btnEnviaSemParametro->click();
        }
        FakeLink link(prefix());
        w.grid->selectAll();
        stopAfterFirstRow(w, [&w] { QTest::keyClick(w.history, Qt::Key_Escape); });
        w.reenviar->click();
        QVERIFY(w.parar->isEnabled());
        QVERIFY(!w.executar->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return !w.parar->isEnabled(); }, 20000));
        QCOMPARE(link.requests().size(), size_t(1));
        QCOMPARE(w.grid->model()->rowCount(), 6);
        QCOMPARE(cell(w.grid, 5, ExchangeLog::Resultado), QString());
        QCOMPARE(w.label->text(), QStringLiteral("Reenvio parado: 1 de 5 reenviados"));
        QVERIFY(w.reenviar->isEnabled());
        QVERIFY(boxes.errors.isEmpty());
    }

    // The folder's name and the system's reason exactly, not read as Latin-1.
    void aSaveErrorShowsThePathAndTheReasonAsTheyAre() {
        MessageCapture boxes;
        Window w;
        QVERIFY(open(w));
        QTemporaryDir home;
        const QString folder = home.path() + "/Área de Trabalho";
        QFile inTheWay(folder);  // a file where the folder should be
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        const QList<QPair<QString, int>> cases = {
            {folder + "/roteiro.txt", ENOTDIR},
            {home.path() + "/Pasta Ácida/roteiro.txt", ENOENT},
        };
        for (const auto& [path, error] : cases) {
            TfrmHistorico::askFileName() = [path](QWidget*) { return path; };
            boxes.errors.clear();
            w.history->findChild<QPushButton*>(QStringLiteral("btnSalvar"))->click();
            QCOMPARE(boxes.errors,
                     QStringList{QStringLiteral("Não foi possível gravar o roteiro %1: %2.")
                                     .arg(path, systemText(error))});
        }
    }
};

QTEST_MAIN(HistoryRunTest)
#include "tst_history_run.moc"
