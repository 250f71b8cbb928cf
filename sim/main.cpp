// ecfsim: a simulated fiscal printer on a pseudo-terminal, for testing the link
// program without hardware.
#include <signal.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>

#include "Options.h"
#include "PseudoTerminal.h"
#include "Server.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// SIGTERM and SIGINT stay blocked except while the server waits, so a stop is
// never missed between checking the flag and going to sleep.
sigset_t installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    sigset_t stopSignals, waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGINT);
    return waitMask;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ecfsim;
    const ParsedOptions parsed = parseOptions({argv + 1, argv + argc});
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::cout << kUsage;
        return 0;
    }
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        std::cerr << "ecfsim: " << error->message << "\n" << kUsage;
        return 2;
    }
    const Options& options = std::get<Options>(parsed);
    const sigset_t waitMask = installStopHandlers();

    try {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> log(nullptr, std::fclose);
        if (!options.logPath.empty()) {
            log.reset(std::fopen(options.logPath.c_str(), "w"));
            if (!log) {
                std::perror(("ecfsim: " + options.logPath).c_str());
                return 1;
            }
        }
        PseudoTerminal line(options.linkPath);
        std::cout << options.linkPath << std::endl;
        Server(line.master(), options, log.get()).run(stopRequested, waitMask);
    } catch (const std::exception& error) {
        std::cerr << "ecfsim: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
