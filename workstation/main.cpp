#include <QApplication>
#include <cstdio>

#include "CommandLine.h"
#include "uPrincipal.h"

int main(int argc, char* argv[]) {
    // Before QApplication, which would need a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (const QString text = informationText(arguments); !text.isEmpty()) {
        const bool written = std::fputs(text.toLocal8Bit().constData(), stdout) >= 0;
        return written && std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CUPONEX"));
    TfrmPrincipal window;
    applyCommandLine(QApplication::arguments(), window);
    window.show();
    return QApplication::exec();
}
