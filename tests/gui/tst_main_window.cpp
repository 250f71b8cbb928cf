// The main window: start state, the printer-line switch, the tab book, the
// clock of tab .14 and the command line.

#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "ui_tab01.h"
#include "ui_tab14.h"
#include "ui_tab19.h"
#include "ui_tab39.h"
#include "ui_tab53.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

namespace {

// Controls whose visibility follows the printer line: 4100, 6100, RX.
struct Row {
    const char* name;
    bool shown[3];
};
const Row kLineTable[] = {
    {"Label104", {1, 0, 0}},
    {"Label15", {0, 1, 1}},
    {"Label105", {1, 0, 0}},
    {"Label17", {0, 1, 1}},
    {"Label119", {1, 0, 0}},
    {"Panel5", {0, 1, 1}},
    {"edTituloGerencial", {0, 0, 1}},
    {"Label122", {0, 0, 1}},
    {"cbRZ", {1, 1, 0}},
    {"edData", {0, 0, 1}},
    {"Label124", {0, 0, 1}},
    {"edHora", {0, 0, 1}},
    {"Label125", {0, 0, 1}},
    {"rgVersao4100", {1, 0, 0}},
    {"edParcelas", {0, 1, 1}},
    {"Label120", {0, 1, 1}},
    {"cbSegTEF", {0, 1, 1}},
    {"edAlfa", {0, 1, 1}},
    {"Label106", {0, 1, 1}},
    {"Label14", {1, 0, 0}},
    {"rgTipo28", {0, 1, 1}},
    {"Label107", {1, 0, 0}},
    {"rgLimpaTabCheq", {0, 1, 1}},
    {"Label108", {1, 0, 0}},
    {"rgLeituraCmc7", {0, 1, 1}},
    {"Label115", {1, 0, 0}},
    {"Panel4", {0, 1, 1}},
    {"Label121", {1, 1, 0}},
    {"Label126", {0, 0, 1}},
    {"BitBtn61", {0, 0, 1}},
    {"Label123", {1, 1, 0}},
    {"gbTipoIsento", {0, 0, 1}},
    {"BitBtn62", {0, 0, 1}},
};

const char* const kCaptions[] = {
    ".01", ".02", ".03", ".04", ".05", ".06", ".07", ".08", ".09", ".10", ".11", ".12", ".13",
    ".14", ".15", ".16", ".17", ".18", ".19", ".20", ".21", ".22", ".23", ".24", ".25", ".26",
    ".27", ".28", ".29", ".30", ".31", ".33", ".34", ".35", ".36", ".38", ".39", ".40", ".41",
    ".42", ".43", ".44", ".45", ".46", ".47", ".48", ".49", ".50", ".51", ".53", ".54"};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    // Visibility as set on the control itself, whatever its tab shows.
    static bool shown(TfrmPrincipal& w, const char* name) {
        auto* control = w.findChild<QWidget*>(QLatin1String(name));
        if (!control) qFatal("no control %s", name);
        return !control->isHidden();
    }

    static void chooseLine(TfrmPrincipal& w, int line) {
        auto* item = w.findChild<QRadioButton*>(QStringLiteral("rgLinhaItem%1").arg(line));
        QTest::mouseClick(item, Qt::LeftButton);
    }

    static void checkColumn(TfrmPrincipal& w, int line) {
        for (const Row& row : kLineTable)
            QVERIFY2(shown(w, row.name) == row.shown[line],
                     qPrintable(QStringLiteral("%1 on line %2").arg(row.name).arg(line)));
        QCOMPARE(w.t01->edDescrA->maxLength(), line == 2 ? 233 : 42);
        QCOMPARE(w.t39->edNomeFormatoModa->maxLength(), line == 2 ? 320 : 160);
    }

  private slots:
    void startsOnLine4100WithFirstTab() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("CUPONEX"));
        QCOMPARE(w.objectName(), QStringLiteral("frmPrincipal"));
        QCOMPARE(frmPrincipal, &w);
        QCOMPARE(cuponex::radioItemIndex(w.ui.rgLinha), 0);
        checkColumn(w, 0);
        QVERIFY(w.ui.edCaminho->isVisible());
        QCOMPARE(w.ui.edCaminho->text(), QStringLiteral("/HOME/USUARIO/ecf/ttyS0/"));
        QCOMPARE(w.ui.edCaminho->text(), QLatin1String(cuponex::kDefaultWorkingDirectory));
        QCOMPARE(w.ui.edCaminho->toolTip(),
                 QStringLiteral("Insira o caminho correto para o diretório de trabalho."));
        QCOMPARE(w.ui.PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), w.ui.edRecebido);
        QVERIFY(w.ui.edRecebido->isReadOnly());
        QVERIFY(!w.Timer1->isActive());
        QVERIFY(w.maximumWidth() <= 800 && w.maximumHeight() <= 600);
        QCOMPARE(w.size(), QSize(697, 589));
    }

    void eachLineShowsItsColumnAndTheWayBack() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int line : {2, 0, 1, 2, 1, 0}) {
            chooseLine(w, line);
            checkColumn(w, line);
        }
    }

    void noLineChosenChangesNothing() {
        TfrmPrincipal w;
        cuponex::setRadioItemIndex(w.ui.rgLinha, 2);
        w.rgLinhaClick(w.ui.rgLinha);
        cuponex::setRadioItemIndex(w.ui.rgLinha, -1);
        w.rgLinhaClick(w.ui.rgLinha);
        checkColumn(w, 2);
    }

    void lineSwitchClearsNoField() {
        TfrmPrincipal w;
        w.show();
        chooseLine(w, 2);
        w.t01->edDescrA->setText(QString(233, QLatin1Char('x')));
        w.t19->edParcelas->setText(QStringLiteral("12"));
        chooseLine(w, 0);
        QCOMPARE(w.t19->edParcelas->text(), QStringLiteral("12"));
        // The lowered limit does not cut the description; it holds once the
        // text is short enough again.
        QCOMPARE(w.t01->edDescrA->text(), QString(233, QLatin1Char('x')));
        w.t01->edDescrA->setText(QStringLiteral("x"));
        chooseLine(w, 1);
        QCOMPARE(w.t01->edDescrA->maxLength(), 42);
    }

    // A field kept whole over a lowered limit has the line's limit again as
    // soon as its text is within it, however the text got there.
    void loweredLimitReturnsOnceTheTextIsWithin_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("rxLimit");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("lineLimit");
        QTest::addColumn<QString>("change");
        const struct {
            const char* field;
            int rxLimit, line, lineLimit;
        } fields[] = {{"edDescrA", 233, 0, 42}, {"edNomeFormatoModa", 320, 1, 160}};
        for (const auto& f : fields)
            for (const char* change : {"backspace to the limit", "keys", "setText", "clear"})
                QTest::addRow("%s %s", f.field, change)
                    << f.field << f.rxLimit << f.line << f.lineLimit << change;
    }

    void loweredLimitReturnsOnceTheTextIsWithin() {
        QFETCH(QString, field);
        QFETCH(int, rxLimit);
        QFETCH(int, line);
        QFETCH(int, lineLimit);
        QFETCH(QString, change);
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* edit = w.findChild<QLineEdit*>(field);
        w.ui.PageControl1->setCurrentWidget(edit->parentWidget());
        chooseLine(w, 2);
        edit->setText(QString(rxLimit, QLatin1Char('x')));
        chooseLine(w, line);
        QCOMPARE(edit->text().size(), rxLimit);

        edit->setFocus();
        if (change == "backspace to the limit") {
            for (int i = lineLimit; i < rxLimit; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(edit->text().size(), lineLimit);
        } else if (change == "keys") {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else if (change == "setText") {
            edit->setText(QStringLiteral("y"));
        } else {
            edit->clear();
        }
        QCOMPARE(edit->maxLength(), lineLimit);
        QTest::keyClicks(edit, QString(rxLimit, QLatin1Char('z')));
        QCOMPARE(edit->text().size(), lineLimit);
    }

    // The limit comes back in the middle of an edit without moving the cursor.
    void limitReturnsWithoutMovingTheCursor() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QLineEdit* edit = w.t01->edDescrA;
        chooseLine(w, 2);
        edit->setText(QString(43, QLatin1Char('x')));
        chooseLine(w, 0);
        edit->setFocus();
        edit->setCursorPosition(10);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->maxLength(), 42);
        QCOMPARE(edit->cursorPosition(), 9);
    }

    void tab53OffersItsButtonOnlyOnRX() {
        TfrmPrincipal w;
        w.show();
        w.ui.PageControl1->setCurrentWidget(w.findChild<QWidget*>(QStringLiteral("TabSheet49")));
        QVERIFY(w.t53->Label121->isVisible());
        QVERIFY(!w.t53->BitBtn61->isVisible() && !w.t53->Label126->isVisible());
        QCOMPARE(w.t53->Label121->text(), QStringLiteral("Comando disponível apenas na linha RX."));
        chooseLine(w, 2);
        QVERIFY(!w.t53->Label121->isVisible());
        QVERIFY(w.t53->BitBtn61->isVisible() && w.t53->Label126->isVisible());
        QCOMPARE(w.t53->Label126->text(), QStringLiteral("Este comando não possui parâmetros"));
    }

    void bookHas51TabsInCaptionOrderAndAStripOfButtons() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTabWidget* book = w.ui.PageControl1;
        QCOMPARE(book->count(), 51);
        for (int i = 0; i < 51; ++i) QCOMPARE(book->tabText(i), QLatin1String(kCaptions[i]));
        QCOMPARE(book->widget(0)->objectName(), QStringLiteral("tsEsc01"));
        QCOMPARE(book->widget(37)->objectName(), QStringLiteral("TabSheet37"));  // .40

        // Every caption is a visible button inside the window, none overlapping.
        auto buttons = w.ui.PageControl1Tabs->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 51);
        for (auto* b : buttons) {
            QVERIFY(b->isVisible());
            QVERIFY(w.rect().contains(QRect(b->mapTo(&w, QPoint(0, 0)), b->size())));
            QVERIFY(b->width() >= b->fontMetrics().horizontalAdvance(b->text()));
            for (auto* other : buttons)
                if (other != b) QVERIFY(!b->geometry().intersects(other->geometry()));
        }
        QTest::mouseClick(buttons[13], Qt::LeftButton);
        QCOMPARE(book->currentIndex(), 13);
        QVERIFY(w.Timer1->isActive());  // a change of tab starts the clock
        // Further changes of tab do not push the next tick back.
        const int due = w.Timer1->remainingTime();
        QTest::qWait(300);
        QTest::mouseClick(buttons[14], Qt::LeftButton);
        QVERIFY(w.Timer1->remainingTime() <= due - 200);
    }

    void clockWritesDateAndTime() {
        TfrmPrincipal w;
        w.Timer1Timer(w.Timer1);
        const QString date = w.t14->edData->text(), time = w.t14->edHora->text();
        QCOMPARE(date, QDate::currentDate().toString(QStringLiteral("ddMMyy")));
        QCOMPARE(time.size(), 6);
        QVERIFY(QTime::fromString(time, QStringLiteral("hhmmss")).isValid());
        QVERIFY(w.t14->edData->isReadOnly() && w.t14->edHora->isReadOnly());
        QCOMPARE(w.Timer1->interval(), 1000);
    }

    void dirOptionPresetsTheWorkingDirectory() {
        using cuponex::readCommandLine;
        const std::string standard = cuponex::kDefaultWorkingDirectory;
        QCOMPARE(readCommandLine({"cuponex", "--dir", "/tmp/ecf/ttyS0"}).directory,
                 std::string("/tmp/ecf/ttyS0/"));
        QCOMPARE(readCommandLine({"cuponex", "--dir=/x/"}).directory, std::string("/x/"));
        QCOMPARE(readCommandLine({"cuponex"}).directory, standard);
        QCOMPARE(readCommandLine({"cuponex", "--dir"}).directory, standard);
        QCOMPARE(readCommandLine({"cuponex", "--dir", "/a", "--dir="}).directory, standard);
        TfrmPrincipal w;
        applyCommandLine(readCommandLine({"cuponex", "--dir", "/tmp/a"}), w);
        QCOMPARE(w.ui.edCaminho->text(), QStringLiteral("/tmp/a/"));
    }

    // What each command line asks for, and the options of a replay.
    void commandLineRequests() {
        using Request = cuponex::CommandLine::Request;
        using Files = std::vector<std::string>;
        struct Case {
            std::vector<std::string> arguments;
            Request request;
            std::string directory;
            Files scenarios;
            std::optional<std::string> record;
            int waitMs;
            bool update = false;
            std::optional<std::string> junit = {};
        };
        const std::string standard = cuponex::kDefaultWorkingDirectory;
        const std::vector<Case> cases = {
            {{"--help"}, Request::Help, standard, {}, {}, 5000},
            {{"-platform", "xcb", "-h"}, Request::Help, standard, {}, {}, 5000},
            {{"--dir", "/tmp/x", "--version"}, Request::Version, standard, {}, {}, 5000},
            {{"--dir", "--help"}, Request::Window, "--help/", {}, {}, 5000},
            {{"--replay", "s", "--help"}, Request::Help, standard, {}, {}, 5000},
            {{"--colour", "--wait", "soon"}, Request::Window, standard, {}, {}, 5000},
            {{"--replay", "s"}, Request::Replay, standard, {"s"}, {}, 5000},
            {{"--dir=/d", "--replay=s", "--wait", "0.25", "--record", "o"},
             Request::Replay,
             "/d/",
             {"s"},
             "o",
             250},
            {{"--replay", "s", "--wait=86400", "--dir", "/d/"},
             Request::Replay,
             "/d/",
             {"s"},
             {},
             86400000},
            // Every argument that is no option is one more scenario, in order.
            {{"a", "--replay", "b", "c", "--update", "--junit", "r.xml", "d"},
             Request::Replay,
             standard,
             {"a", "b", "c", "d"},
             {},
             5000,
             true,
             "r.xml"},
            {{"--junit=r.xml", "--replay", "s", "--update"},
             Request::Replay,
             standard,
             {"s"},
             {},
             5000,
             true,
             "r.xml"},
        };
        for (const Case& c : cases) {
            std::vector<std::string> arguments{"cuponex"};
            arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
            const cuponex::CommandLine line = cuponex::readCommandLine(arguments);
            const QByteArray name = QByteArray::fromStdString(arguments.back());
            QVERIFY2(line.request == c.request, name);
            QCOMPARE(line.directory, c.directory);
            QVERIFY2(line.scenarios == c.scenarios, name);
            QVERIFY2(line.record == c.record, name);
            QCOMPARE(line.wait.count(), c.waitMs);
            QCOMPARE(line.update, c.update);
            QVERIFY2(line.junit == c.junit, name);
        }
    }

    // A replay's command line is read whole: anything it cannot use is an
    // error that says why.
    void badReplayCommandLines() {
        const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
            {{"--replay"}, "--replay needs a value"},
            {{"--replay="}, "--replay needs a value"},
            {{"--replay", "s", "--dir"}, "--dir needs a value"},
            {{"--replay", "s", "--record="}, "--record needs a value"},
            {{"--replay", "s", "--colour"}, "unknown option '--colour'"},
            {{"--replay", "s", "-platform", "xcb"}, "unknown option '-platform'"},
            {{"--replay", "s", "--wait", "soon"}, "--wait takes a number of seconds, not 'soon'"},
            {{"--replay", "s", "--wait", "0"}, "--wait takes a number of seconds, not '0'"},
            {{"--replay", "s", "--wait", "-1"}, "--wait takes a number of seconds, not '-1'"},
            {{"--replay", "s", "--wait", "86401"}, "--wait takes a number of seconds, not '86401'"},
            {{"--replay", "s", "--wait", "inf"}, "--wait takes a number of seconds, not 'inf'"},
            {{"--replay", "s", "--wait", "5s"}, "--wait takes a number of seconds, not '5s'"},
            {{"--replay", "s", "t", "--record", "o"}, "--record takes one scenario FILE only"},
            {{"--replay", "s", "--update=yes"}, "--update takes no value"},
            {{"--replay", "s", "--junit"}, "--junit needs a value"},
            {{"--replay", "s", "-"}, "unknown option '-'"},
        };
        for (const auto& [tail, why] : cases) {
            std::vector<std::string> arguments{"cuponex"};
            arguments.insert(arguments.end(), tail.begin(), tail.end());
            try {
                cuponex::readCommandLine(arguments);
                QFAIL(("accepted: " + tail.back()).c_str());
            } catch (const cuponex::CommandLineError& error) {
                QCOMPARE(std::string(error.what()), why);
            }
        }
    }

    // One usage text, which names every option and the exchange's own wait.
    void usageNamesEveryOption() {
        const std::string usage = cuponex::usageText();
        QVERIFY(usage.starts_with("Usage: cuponex [--dir DIR]\n"));
        for (const char* option :
             {"--dir DIR", "--replay FILE", "--wait SECONDS", "--record OUT", "--update",
              "--junit OUT", "-h, --help", "--version", "(default 5)"})
            QVERIFY2(usage.find(option) != std::string::npos, option);
        QCOMPARE(cuponex::versionText().substr(0, 8), std::string("cuponex "));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
