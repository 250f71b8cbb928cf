// Time from process start to the main window shown, and the resident memory
// then. Run as the program itself is run (a display, or QT_QPA_PLATFORM).

#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <cstdio>

#include "window/uPrincipal.h"

namespace {

// Seconds since the process started, from /proc (includes loading the libraries).
double secondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
    const QByteArray s = stat.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    return uptime.readAll().split(' ').value(0).toDouble() - started;
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CUPONEX"));
    TfrmPrincipal window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    QApplication::processEvents();
    const double shown = secondsSinceProcessStart();
    std::printf("window shown after %.0f ms (target 400 ms; /proc clock, 10 ms steps)\n",
                shown * 1000);
    std::printf("resident memory then: %.1f MiB (target 80 MiB)\n", residentKiB() / 1024.0);
    return 0;
}
