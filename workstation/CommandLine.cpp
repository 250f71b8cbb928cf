#include "CommandLine.h"

#include "uPrincipal.h"

QString workingDirectoryOption(const QStringList& arguments) {
    QString dir;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--dir") && i + 1 < arguments.size())
            dir = arguments[++i];
        else if (arg.startsWith(QLatin1String("--dir=")))
            dir = arg.mid(6);
    }
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

void applyCommandLine(const QStringList& arguments, TfrmPrincipal& window) {
    const QString dir = workingDirectoryOption(arguments);
    if (!dir.isEmpty()) window.ui.edCaminho->setText(dir);
}
