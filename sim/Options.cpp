#include "Options.h"

#include <charconv>

namespace ecfsim {

const char* const kUsage =
    "Usage: ecfsim --link PATH [options]\n"
    "Simulated fiscal printer on a pseudo-terminal; PATH becomes a symbolic link\n"
    "to its device.\n"
    "  --link PATH        where to put the link to the device (required)\n"
    "  --baud N           pace replies at N baud, 10 bits per byte (default 9600)\n"
    "  --unpaced          send replies at full speed\n"
    "  --silent           read and log frames but never answer\n"
    "  --fault KIND       no-brace: replies lack their final \"}\"\n"
    "                     stall: only the first half of a reply goes out\n"
    "                     garbage: a few garbage bytes precede each reply\n"
    "  --no-trailer       no line feed after a report's end marker\n"
    "  --log FILE         write each frame received, escaped, one per line\n"
    "  --replies FILE     answer the requests recorded in the scenario FILE with\n"
    "                     their recorded replies, in turn (no {{patterns}})\n"
    "  -h, --help         show this text\n"
    "Signals: SIGUSR1 pulls the line out (the device hangs up and PATH goes),\n"
    "SIGUSR2 plugs a new one in at PATH; SIGTERM or SIGINT stops.\n";

namespace {

bool parseFault(const std::string& name, Fault& fault) {
    if (name == "no-brace")
        fault = Fault::NoBrace;
    else if (name == "stall")
        fault = Fault::Stall;
    else if (name == "garbage")
        fault = Fault::Garbage;
    else
        return false;
    return true;
}

bool parseBaud(const std::string& text, long& baud) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, baud);
    return error == std::errc() && ptr == end && baud > 0 && baud <= 10'000'000;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") return HelpRequested{};
        if (arg == "--unpaced") {
            options.paced = false;
        } else if (arg == "--silent") {
            options.printer.silent = true;
        } else if (arg == "--no-trailer") {
            options.printer.trailer = false;
        } else if (arg == "--link" || arg == "--baud" || arg == "--fault" || arg == "--log" ||
                   arg == "--replies") {
            if (i + 1 == args.size()) return UsageError{arg + " needs a value"};
            const std::string& value = args[++i];
            if (arg == "--link") {
                options.linkPath = value;
            } else if (arg == "--log") {
                options.logPath = value;
            } else if (arg == "--replies") {
                options.repliesPath = value;
            } else if (arg == "--baud") {
                if (!parseBaud(value, options.baud)) return UsageError{"bad baud rate: " + value};
            } else if (!parseFault(value, options.printer.fault)) {
                return UsageError{"unknown fault: " + value};
            }
        } else {
            return UsageError{"unknown option: " + arg};
        }
    }
    if (options.linkPath.empty()) return UsageError{"--link PATH is required"};
    return options;
}

}  // namespace ecfsim
