#pragma once
// cuponex --replay FILE [--dir DIR] [--record OUT] [--wait SECONDS]: runs a
// scenario through the working directory as the window's sends would, without
// a window, and compares each reply with the one the scenario expects.

#include <chrono>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace cuponex {

// The window's working directory when none is given.
inline constexpr const char* kDefaultWorkingDirectory = "/HOME/USUARIO/ecf/ttyS0/";

struct ReplayOptions {
    std::string scenario;
    std::string directory = kDefaultWorkingDirectory;  // ends in "/"
    std::optional<std::string> record;
    std::chrono::milliseconds wait{5000};
};

// Exit statuses of a replay.
enum ReplayStatus {
    kAllEqual = 0,
    kSomeDiffer = 1,
    kBadInput = 2,  // bad command line or scenario: nothing sent
    kInputOutputError = 3,
};

// A command line that cannot be used; what() says why.
class ReplayUsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Whether the command line (program name first) asks for a replay.
bool asksForReplay(const std::vector<std::string>& arguments);

// The options of a replay command line; throws ReplayUsageError for an
// unknown option, an option without its value or a wait that is no number.
ReplayOptions readReplayOptions(const std::vector<std::string>& arguments);

// Reads and checks the whole scenario, then runs every exchange in order,
// one line of output each, and a last line that counts them. Returns the
// exit status.
int runReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err);

// The whole replay command: the options read (a bad command line is reported
// with the usage and gives kBadInput), then runReplay.
int replayCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The usage line and the option lines of the replay, for --help and for a bad
// command line.
extern const char* const kReplayUsage;
extern const char* const kReplayOptions;

}  // namespace cuponex
