// The exchange history with 10 000 rows: appending them, opening the history
// window on them, scrolling through it, appending while it is open and
// copying every row. Runs on the display it is given (offscreen without one).

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "history/ExchangeHistory.h"
#include "history/uHistorico.h"
#include "window/uPrincipal.h"

namespace {

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

// Exchanges of several shapes: short commands, an item sale, a logo upload
// (the longest frame), a timeout and an input/output error.
cuponex::ExchangeRecord sample(int i) {
    cuponex::ExchangeRecord record;
    record.time = "12:34:56.789";
    record.microseconds = 500 + i % 900;
    switch (i % 5) {
        case 0:
            record.frame = "\x1b.05}";
            record.reply = ".+0500";
            break;
        case 1:
            record.frame = "\x1b.01" + std::string(13, '7') + std::string(42, 'D') +
                           "0000100000012500001250T01" + std::string(30, ' ') + "}";
            record.reply = ".+0100";
            break;
        case 2:
            record.frame = "\x1b.40" + std::string(200, 'F') + "}";
            record.reply = ".+4000";
            break;
        case 3:
            record.frame = "\x1b.18}";
            record.reply = ".-P006}";
            record.outcome = cuponex::ExchangeOutcome::Timeout;
            record.microseconds = 5000000 + i;
            break;
        default:
            record.frame = "\x1b.13\x1b\n}";
            record.reply =
                "Erro de entrada/sa\xed"
                "da 2 (No such file or directory): /tmp/x/eqW.MSG";
            record.outcome = cuponex::ExchangeOutcome::IoError;
            break;
    }
    return record;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
    TfrmPrincipal window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    cuponex::ExchangeHistory* history = window.history();
    const long residentBefore = residentKiB();

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rows; ++i) history->append(sample(i));
    const double appendMs = msSince(clock);
    std::printf("append %d exchanges, window never opened: %.1f ms (%.2f us each)\n", rows,
                appendMs, appendMs * 1000 / rows);
    std::printf("resident memory: %.1f MiB before, %.1f MiB after\n", residentBefore / 1024.0,
                residentKiB() / 1024.0);

    clock.restart();
    window.ui.btnHistorico->click();
    TfrmHistorico* frm = window.frmHistorico();
    if (!frm || !QTest::qWaitForWindowExposed(frm)) return 1;
    QTableView* grid = frm->grid();
    grid->viewport()->repaint();
    std::printf("open the window on %d rows, first paint included: %.1f ms\n", rows,
                msSince(clock));

    // Page down from the top to the bottom, painting each page.
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setValue(0);
    std::vector<double> steps;
    while (bar->value() < bar->maximum()) {
        clock.restart();
        bar->setValue(bar->value() + bar->pageStep());
        grid->viewport()->repaint();
        steps.push_back(msSince(clock));
    }
    std::sort(steps.begin(), steps.end());
    double total = 0;
    for (double s : steps) total += s;
    std::printf(
        "page through all rows: %zu pages, %.1f ms in all; per page median %.2f ms, "
        "max %.2f ms\n",
        steps.size(), total, steps[steps.size() / 2], steps.back());

    clock.restart();
    for (int i = 0; i < 50; ++i) {
        bar->setValue(i % 2 ? bar->maximum() : 0);
        grid->viewport()->repaint();
    }
    std::printf("jump top <-> bottom, 50 times with a paint each: %.2f ms each\n",
                msSince(clock) / 50);

    // After each exchange the window gets back to its event loop, which
    // scrolls to the new row and paints.
    const int more = 1000;
    std::vector<double> appends;
    for (int i = 0; i < more; ++i) {
        clock.restart();
        history->append(sample(i));
        QCoreApplication::processEvents();
        appends.push_back(msSince(clock));
    }
    std::sort(appends.begin(), appends.end());
    std::printf(
        "append %d more with the window open and following the newest, events "
        "processed after each: median %.2f ms, max %.2f ms\n",
        more, appends[appends.size() / 2], appends.back());
    if (bar->value() != bar->maximum()) std::printf("the newest row is out of view!\n");

    clock.restart();
    grid->selectAll();
    frm->btnCopiarClick();
    const qsizetype copied = QGuiApplication::clipboard()->text().size();
    std::printf("select and copy all %d rows (%lld characters): %.1f ms\n", rows + more,
                static_cast<long long>(copied), msSince(clock));
    return 0;
}
