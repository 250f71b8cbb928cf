#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "core/Replay.h"
#include "window/uPrincipal.h"

int main(int argc, char* argv[]) {
    // Before QApplication, which would need a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (const QString text = informationText(arguments); !text.isEmpty()) {
        const bool written = std::fputs(text.toLocal8Bit().constData(), stdout) >= 0;
        return written && std::fflush(stdout) == 0 ? 0 : 1;
    }

    // A replay runs without a window, so without a display.
    if (const std::vector<std::string> raw(argv, argv + argc); cuponex::asksForReplay(raw))
        return cuponex::replayCommand(raw, std::cout, std::cerr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CUPONEX"));
    TfrmPrincipal window;
    applyCommandLine(QApplication::arguments(), window);
    window.show();
    return QApplication::exec();
}
