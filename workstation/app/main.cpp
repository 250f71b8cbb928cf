#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/QtTexts.h"
#include "app/ReplayCommand.h"
#include "window/uPrincipal.h"

namespace {

// --help and --version; an answer that cannot be written is a failure.
int print(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0;
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Before QApplication, which would need a display: the answers and the
    // replay need none.
    cuponex::CommandLine commandLine;
    try {
        commandLine = cuponex::readCommandLine(std::vector<std::string>(argv, argv + argc));
    } catch (const cuponex::CommandLineError& error) {
        std::cerr << "cuponex: " << error.what() << "\n" << cuponex::usageText();
        return cuponex::kBadInput;
    }
    using Request = cuponex::CommandLine::Request;
    switch (commandLine.request) {
        case Request::Help:
            return print(cuponex::usageText());
        case Request::Version:
            return print(cuponex::versionText());
        case Request::Replay:
            return cuponex::runReplayCommand(commandLine, std::cout, std::cerr);
        case Request::Window:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CUPONEX"));
    cuponex::loadPortugueseQtTexts(app);
    TfrmPrincipal window;
    applyCommandLine(commandLine, window);
    window.show();
    return QApplication::exec();
}
