#include <QApplication>

#include "CommandLine.h"
#include "uPrincipal.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CUPONEX"));
    TfrmPrincipal window;
    applyCommandLine(QApplication::arguments(), window);
    window.show();
    return QApplication::exec();
}
