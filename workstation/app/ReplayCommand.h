#pragma once
// cuponex --replay: scenarios run through the working directory as the
// window's sends would, without a window, one line of output an exchange.

#include <ostream>

#include "CommandLine.h"

namespace cuponex {

// Exit statuses of a replay.
enum ReplayStatus {
    kAllEqual = 0,  // also: every differing reply accepted by --update
    kSomeDiffer = 1,
    kBadInput = 2,  // bad command line or scenario: nothing sent
    kInputOutputError = 3,
};

// Reads and checks every scenario, then runs each one's exchanges in order,
// one line of output each, and a line that counts them (and with several
// files, a last one for all). A failed exchange ends the whole run there.
// Then writes the record, the updated scenarios and the JUnit report when
// asked. Returns the exit status.
int runReplayCommand(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

}  // namespace cuponex
