#include "Replay.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "Exchange.h"
#include "SafeFile.h"
#include "Scenario.h"

namespace cuponex {

const char* const kReplayUsage =
    "       cuponex --replay FILE [--dir DIR] [--wait SECONDS] [--record OUT]\n";
const char* const kReplayOptions =
    "  --replay FILE   send the scenario FILE without a window, compare the replies\n"
    "  --wait SECONDS  how long each exchange waits for its reply (default 5)\n"
    "  --record OUT    write the scenario as it ran, with the replies received\n";

namespace {

std::chrono::milliseconds readSeconds(const std::string& text) {
    double seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
        seconds <= 0 || seconds > 24 * 3600) {
        throw ReplayUsageError("--wait takes a number of seconds, not '" + text + "'");
    }
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

std::string milliseconds(std::chrono::steady_clock::duration taken) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms",
                  std::chrono::duration<double, std::milli>(taken).count());
    return text;
}

std::string secondsText(std::chrono::milliseconds wait) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::chrono::duration<double>(wait).count());
    return text;
}

// The error in English; the exchange's own text is the window's.
std::string errorText(const ExchangeError& error) {
    if (error.kind() == ExchangeError::Kind::DirectoryBusy)
        return "the directory " + error.directory() + " is in use by another program";
    return escapeField(error.what());
}

std::string quoted(const std::string& bytes) {
    return "\"" + escapeField(bytes) + "\"";
}

}  // namespace

bool asksForReplay(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--replay" || arguments[i].starts_with("--replay=")) return true;
    }
    return false;
}

ReplayOptions readReplayOptions(const std::vector<std::string>& arguments) {
    ReplayOptions options;
    bool haveScenario = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name != "--replay" && name != "--dir" && name != "--record" && name != "--wait") {
            throw ReplayUsageError("unknown option '" + arguments[i] + "'");
        }
        if (!value) {
            if (i + 1 >= arguments.size()) throw ReplayUsageError(name + " needs a value");
            value = arguments[++i];
        }
        if (value->empty()) throw ReplayUsageError(name + " needs a value");
        if (name == "--replay") {
            options.scenario = *value;
            haveScenario = true;
        } else if (name == "--dir") {
            options.directory = value->ends_with('/') ? *value : *value + "/";
        } else if (name == "--record") {
            options.record = *value;
        } else {
            options.wait = readSeconds(*value);
        }
    }
    if (!haveScenario) throw ReplayUsageError("--replay needs a value");
    return options;
}

int runReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<ScenarioStep> steps;
    try {
        steps = readScenarioFile(options.scenario);
    } catch (const ScenarioError& error) {
        err << "cuponex: " << error.what() << "\n";
        return kBadInput;
    }

    Exchange exchange;
    exchange.setLimit(options.wait);
    int equal = 0, differ = 0, uncompared = 0;
    std::vector<ScenarioStep> ran;
    for (const ScenarioStep& step : steps) {
        const std::string code = step.command.substr(0, 2);
        const auto start = std::chrono::steady_clock::now();
        std::string received;
        try {
            received = exchange.run(options.directory, Exchange::frame(step.command));
        } catch (const ExchangeError& error) {
            out << "line " << step.line << "  " << escapeField(code) << "  input/output error\n";
            err << "cuponex: line " << step.line << ": " << errorText(error) << "\n";
            return kInputOutputError;
        }
        // The request was withdrawn: a failure of the run, never a reply to compare.
        if (exchange.outcome() == Exchange::Outcome::NotTaken) {
            out << "line " << step.line << "  " << escapeField(code)
                << "  not taken: no link took the request from " << options.directory << " within "
                << secondsText(options.wait) << " s (is eqlink running?)\n";
            return kInputOutputError;
        }
        const auto taken = std::chrono::steady_clock::now() - start;
        const char* verdict = "not compared";
        if (step.expected) {
            const bool same = *step.expected == received;
            verdict = same ? "equal" : "differs";
            ++(same ? equal : differ);
        } else {
            ++uncompared;
        }
        out << "line " << step.line << "  " << escapeField(code) << "  " << milliseconds(taken)
            << "  " << verdict << "\n";
        if (step.expected && *step.expected != received) {
            out << "line " << step.line << ": expected " << quoted(*step.expected) << "\n"
                << "line " << step.line << ": received " << quoted(received) << "\n";
        }
        ran.push_back({step.command, received, step.line, {}});
    }
    out << steps.size() << " exchanges: " << equal << " equal, " << differ << " differ, "
        << uncompared << " not compared\n";
    out.flush();

    if (options.record) {
        try {
            writeFileWhole(*options.record, writeScenario(ran));
        } catch (const FileWriteError& error) {
            err << "cuponex: " << error.what() << "\n";
            return kInputOutputError;
        }
    }
    return differ > 0 ? kSomeDiffer : kAllEqual;
}

int replayCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    ReplayOptions options;
    try {
        options = readReplayOptions(arguments);
    } catch (const ReplayUsageError& error) {
        err << "cuponex: " << error.what() << "\nUsage:" << (kReplayUsage + 6) << kReplayOptions;
        return kBadInput;
    }
    return runReplay(options, out, err);
}

}  // namespace cuponex
