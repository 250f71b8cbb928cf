// Command line of ecfsim.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "Printer.h"

namespace ecfsim {

struct Options {
    std::string linkPath;
    long baud = 9600;
    bool paced = true;
    std::string logPath;      // empty: no log
    std::string repliesPath;  // empty: every reply from the table
    PrinterSettings printer;
};

struct HelpRequested {};
struct UsageError {
    std::string message;
};

using ParsedOptions = std::variant<Options, HelpRequested, UsageError>;

// `args` excludes the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace ecfsim
