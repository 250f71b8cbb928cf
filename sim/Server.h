// The simulator's event loop: reads the line, answers, paces the output.
#pragma once

#include <signal.h>

#include <chrono>
#include <cstdio>

#include "FrameReader.h"
#include "Options.h"
#include "OutputQueue.h"
#include "Printer.h"

namespace ecfsim {

class Server {
  public:
    // An incomplete unit is answered as malformed after this much silence.
    static constexpr std::chrono::milliseconds kIncompleteTimeout{500};

    // `fd` is the non-blocking master side of the line; `log` may be null;
    // `recorded` (may be null) answers the requests it holds, on every line
    // attached, its count going on from one to the next.
    Server(int fd, const Options& options, std::FILE* log, RecordedReplies* recorded = nullptr);

    // Serves until `wake` becomes non-zero. Signals are let through only while
    // waiting, with `waitMask` as the signal mask.
    void run(const volatile sig_atomic_t& wake, const sigset_t& waitMask);

    // Serves another line from now on, as a printer just switched on: nothing
    // half-read, half-answered or queued is kept from the old one.
    void attach(int fd);

  private:
    void readInput();
    void handle(const Unit& unit);
    void writeDue();
    void answerIncomplete();

    int fd_;
    std::FILE* log_;
    PrinterSettings printerSettings_;
    RecordedReplies* recorded_;
    FrameReader reader_;
    Printer printer_;
    OutputQueue output_;
    OutputQueue::Clock::time_point lastInput_{};
    bool writeBlocked_ = false;
};

}  // namespace ecfsim
