#pragma once
// cuponex --replay: a scenario run through the working directory as the
// window's sends would, without a window, one line of output an exchange.

#include <ostream>

#include "CommandLine.h"

namespace cuponex {

// Exit statuses of a replay.
enum ReplayStatus {
    kAllEqual = 0,
    kSomeDiffer = 1,
    kBadInput = 2,  // bad command line or scenario: nothing sent
    kInputOutputError = 3,
};

// Reads and checks the whole scenario, then runs every exchange in order,
// one line of output each, and a last line that counts them; writes the
// record when asked. Returns the exit status.
int runReplayCommand(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

}  // namespace cuponex
