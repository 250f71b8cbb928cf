// ecfsim: a simulated fiscal printer on a pseudo-terminal, for testing the link
// program without hardware.
#include <signal.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>

#include "Options.h"
#include "PseudoTerminal.h"
#include "RecordedReplies.h"
#include "Server.h"

namespace {

volatile sig_atomic_t stopRequested = 0;
volatile sig_atomic_t unplugRequested = 0;
volatile sig_atomic_t plugRequested = 0;
volatile sig_atomic_t wakeRequested = 0;  // any of the above

void onSignal(int number) {
    if (number == SIGUSR1) {
        unplugRequested = 1;
    } else if (number == SIGUSR2) {
        plugRequested = 1;
    } else {
        stopRequested = 1;
    }
    wakeRequested = 1;
}

// SIGTERM and SIGINT stop; SIGUSR1 pulls the line out, SIGUSR2 plugs a new
// one in. They stay blocked except while the program waits, so none is
// missed between checking the flags and going to sleep.
sigset_t installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigset_t handled;
    sigemptyset(&handled);
    for (int number : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2}) {
        sigaction(number, &action, nullptr);
        sigaddset(&handled, number);
    }
    signal(SIGPIPE, SIG_IGN);

    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &handled, &waitMask);
    for (int number : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2}) sigdelset(&waitMask, number);
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
    // A file of recorded replies that cannot be used stops everything before
    // anything is made.
    RecordedReplies recorded;
    if (!options.repliesPath.empty()) {
        try {
            recorded = RecordedReplies::fromFile(options.repliesPath);
        } catch (const cuponex::ScenarioError& error) {
            std::cerr << "ecfsim: " << error.what() << "\n";
            return 2;
        }
    }
    const sigset_t waitMask = installSignalHandlers();

    try {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> log(nullptr, std::fclose);
        if (!options.logPath.empty()) {
            log.reset(std::fopen(options.logPath.c_str(), "w"));
            if (!log) {
                std::perror(("ecfsim: " + options.logPath).c_str());
                return 1;
            }
        }
        std::optional<PseudoTerminal> line;
        line.emplace(options.linkPath);
        std::cout << options.linkPath << std::endl;
        Server server(line->master(), options, log.get(), &recorded);
        while (!stopRequested) {
            if (unplugRequested) {
                // Closing the master hangs the line up for whoever has the
                // device open, and the link to it goes first.
                unplugRequested = 0;
                line.reset();
            }
            if (plugRequested) {
                plugRequested = 0;
                if (!line) {
                    try {
                        line.emplace(options.linkPath);
                        server.attach(line->master());
                    } catch (const std::exception& error) {
                        std::cerr << "ecfsim: " << error.what() << "\n";  // stays unplugged
                    }
                }
            }
            if (stopRequested) break;
            wakeRequested = 0;
            if (line) {
                server.run(wakeRequested, waitMask);
            } else {
                sigsuspend(&waitMask);
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "ecfsim: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
