#pragma once
// cuponex's command line, read once before the toolkit starts:
//   cuponex [--dir DIR]                 the window
//   cuponex --replay FILE... [--dir DIR] [--wait SECONDS] [--record OUT]
//           [--update] [--junit OUT]    scenarios without a window
//   cuponex --help | -h | --version     answered without a display

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Exchange.h"

class TfrmPrincipal;

namespace cuponex {

struct CommandLine {
    enum class Request { Window, Help, Version, Replay };
    Request request = Request::Window;
    std::string directory = kDefaultWorkingDirectory;  // a prefix of file names: ends in "/"
    // --replay only.
    std::vector<std::string> scenarios;  // in the order given
    std::optional<std::string> record;   // only with one scenario
    std::optional<std::string> junit;
    bool update = false;
    std::chrono::milliseconds wait = Exchange::kLimit;
};

// A command line that cannot be used; what() says why.
class CommandLineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the command line (program name first). --help, -h and --version
// answer whatever else stands there, but the value of --dir is never taken
// for one of them. With --replay anywhere, every argument must be a replay
// option with its value (as "--name VALUE" or "--name=VALUE"; --update takes
// none) or a scenario file (one not beginning with "-"): otherwise, for a
// wait that is not a number of seconds above 0 (at most a day), or for
// --record with more than one scenario, a CommandLineError. Without it only --dir is read and the
// rest (the toolkit's own options) left alone; an empty --dir= stands for the default.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// What --help prints, also shown after a bad command line.
std::string usageText();

// What --version prints.
std::string versionText();

}  // namespace cuponex

// Presets the window's working directory from the command line.
void applyCommandLine(const cuponex::CommandLine& commandLine, TfrmPrincipal& window);
