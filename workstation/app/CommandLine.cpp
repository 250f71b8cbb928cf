#include "CommandLine.h"

#include <QFile>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "window/uPrincipal.h"

namespace cuponex {
namespace {

// %g: the exchange's own wait, in seconds.
constexpr const char* kUsage =
    "Usage: cuponex [--dir DIR]\n"
    "       cuponex --replay FILE... [--dir DIR] [--wait SECONDS] [--record OUT]\n"
    "               [--update] [--junit OUT]\n"
    "Workstation for the commands of a fiscal printer (ECF). Each command goes\n"
    "to the link program eqlink as the file eq.MSG in DIR; its reply comes back\n"
    "as eq.RSP.\n"
    "  --dir DIR       eqlink's working directory; for the service eqlink@ttyS0 it\n"
    "                  is /home/usuarios/ecf/ttyS0/\n"
    "  --replay FILE   send the scenario FILE without a window, compare the replies;\n"
    "                  each further FILE is one more scenario, run in turn\n"
    "  --wait SECONDS  how long each exchange waits for its reply (default %g)\n"
    "  --record OUT    write the scenario as it ran, with the replies received\n"
    "                  (one FILE only)\n"
    "  --update        rewrite each FILE with the replies received where they\n"
    "                  differed, every other byte as it was\n"
    "  --junit OUT     write a JUnit XML report of the run\n"
    "  -h, --help      show this text\n"
    "  --version       show the version\n"
    "The toolkit's own options (-platform NAME, -display DISPLAY, ...) are\n"
    "accepted too.\n";

bool asksForInformation(const std::vector<std::string>& arguments, CommandLine& line) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--dir") {
            ++i;
        } else if (arg == "--help" || arg == "-h") {
            line.request = CommandLine::Request::Help;
            return true;
        } else if (arg == "--version") {
            line.request = CommandLine::Request::Version;
            return true;
        }
    }
    return false;
}

bool asksForReplay(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--replay" || arguments[i].starts_with("--replay=")) return true;
    }
    return false;
}

std::chrono::milliseconds readSeconds(const std::string& text) {
    double seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
        seconds <= 0 || seconds > 24 * 3600) {
        throw CommandLineError("--wait takes a number of seconds, not '" + text + "'");
    }
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

// Sets one option of the line from its value.
void take(CommandLine& line, const std::string& name, const std::string& value) {
    if (name == "--dir") {
        line.directory = value.ends_with('/') ? value : value + "/";
    } else if (name == "--replay") {
        line.scenarios.push_back(value);
    } else if (name == "--record") {
        line.record = value;
    } else if (name == "--junit") {
        line.junit = value;
    } else {
        line.wait = readSeconds(value);
    }
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (asksForInformation(arguments, line)) return line;
    const bool replay = asksForReplay(arguments);
    if (replay) line.request = CommandLine::Request::Replay;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (replay && !name.starts_with('-')) {
            line.scenarios.push_back(name);  // one more scenario
            continue;
        }
        if (replay && name == "--update") {
            if (value) throw CommandLineError("--update takes no value");
            line.update = true;
            continue;
        }
        const bool known =
            name == "--dir" || (replay && (name == "--replay" || name == "--record" ||
                                           name == "--wait" || name == "--junit"));
        if (!known) {
            if (replay) throw CommandLineError("unknown option '" + arguments[i] + "'");
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                if (replay) throw CommandLineError(name + " needs a value");
                break;
            }
            value = arguments[++i];
        }
        if (value->empty()) {
            if (replay) throw CommandLineError(name + " needs a value");
            line.directory = kDefaultWorkingDirectory;  // the window's --dir=
            continue;
        }
        take(line, name, *value);
    }
    if (replay && line.scenarios.empty()) throw CommandLineError("--replay needs a value");
    if (line.record && line.scenarios.size() > 1)
        throw CommandLineError("--record takes one scenario FILE only");
    return line;
}

std::string usageText() {
    const double seconds = std::chrono::duration<double>(Exchange::kLimit).count();
    std::string text(std::snprintf(nullptr, 0, kUsage, seconds), '\0');
    std::snprintf(text.data(), text.size() + 1, kUsage, seconds);
    return text;
}

std::string versionText() {
    return "cuponex " CUPONEX_VERSION "\n";
}

}  // namespace cuponex

void applyCommandLine(const cuponex::CommandLine& commandLine, TfrmPrincipal& window) {
    window.ui.edCaminho->setText(QFile::decodeName(commandLine.directory.c_str()));
}
