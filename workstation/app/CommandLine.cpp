#include "CommandLine.h"

#include "core/Replay.h"
#include "window/uPrincipal.h"

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

namespace {

const char* const kUsage =
    "Usage: cuponex [--dir DIR]\n"
    "%1"
    "Workstation for the commands of a fiscal printer (ECF). Each command goes\n"
    "to the link program eqlink as the file eq.MSG in DIR; its reply comes back\n"
    "as eq.RSP.\n"
    "  --dir DIR    eqlink's working directory; for the service eqlink@ttyS0 it\n"
    "               is /home/usuarios/ecf/ttyS0/\n"
    "%2"
    "  -h, --help   show this text\n"
    "  --version    show the version\n"
    "The toolkit's own options (-platform NAME, -display DISPLAY, ...) are\n"
    "accepted too.\n";

}  // namespace

QString informationText(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--dir"))
            ++i;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return QString::fromLatin1(kUsage).arg(QString::fromLatin1(cuponex::kReplayUsage),
                                                   QString::fromLatin1(cuponex::kReplayOptions));
        else if (arg == QLatin1String("--version"))
            return QStringLiteral("cuponex " CUPONEX_VERSION "\n");
    }
    return {};
}

void applyCommandLine(const QStringList& arguments, TfrmPrincipal& window) {
    const QString dir = workingDirectoryOption(arguments);
    if (!dir.isEmpty()) window.ui.edCaminho->setText(dir);
}
