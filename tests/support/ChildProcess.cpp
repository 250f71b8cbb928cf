#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string nameOf(const std::string& assignment) {
    return assignment.substr(0, assignment.find('='));
}

// The test's environment, with `overrides` in place of the same names.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        bool overridden = false;
        for (const std::string& o : overrides)
            overridden = overridden || nameOf(o) == nameOf(entry);
        if (!overridden) env.push_back(entry);
    }
    env.insert(env.end(), overrides.begin(), overrides.end());
    return env;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::vector<std::string>& env, Group group)
    : ownGroup_(group == Group::Own) {
    std::error_code noTemp;  // no exception: Qt Test functions start these too
    std::filesystem::path temp = std::filesystem::temp_directory_path(noTemp);
    if (noTemp) temp = "/tmp";
    std::string pattern = (temp / "child-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    outputDir_ = pattern;

    std::vector<std::string> argTexts{program};
    argTexts.insert(argTexts.end(), args.begin(), args.end());
    std::vector<std::string> envTexts = environmentWith(env);
    std::vector<char*> argv = pointersTo(argTexts);
    std::vector<char*> envp = pointersTo(envTexts);
    const std::string outPath = outputDir_ + "/stdout";
    const std::string errPath = outputDir_ + "/stderr";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (ownGroup_) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    if (::posix_spawn(&pid_, program.c_str(), &actions, &attributes, argv.data(), envp.data()) !=
        0) {
        pid_ = -1;
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    stop();
    std::error_code ignored;
    if (!outputDir_.empty()) std::filesystem::remove_all(outputDir_, ignored);
}

bool ChildProcess::reap(bool block) {
    if (pid_ <= 0 || status_) return false;
    int status = 0;
    if (::waitpid(pid_, &status, block ? 0 : WNOHANG) != pid_) return false;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : kKilledBySignal;
    return true;
}

bool ChildProcess::running() {
    return pid_ > 0 && !status_ && !reap(false);
}

int ChildProcess::waitForExit(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (running()) {
        if (Clock::now() > deadline) return kStillRunning;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return status_.value_or(kStillRunning);
}

int ChildProcess::stop(std::chrono::milliseconds limit) {
    if (pid_ <= 0) return kStillRunning;
    if (ownGroup_) ::kill(-pid_, SIGTERM);  // the group may outlive its leader
    if (!status_) {
        ::kill(pid_, SIGTERM);
        if (waitForExit(limit) == kStillRunning) {
            if (ownGroup_) ::kill(-pid_, SIGKILL);
            ::kill(pid_, SIGKILL);
            reap(true);
        }
    }
    return status_.value_or(kStillRunning);
}

void ChildProcess::signal(int number) const {
    if (pid_ > 0 && !status_) ::kill(pid_, number);
}

std::string ChildProcess::out() const {
    return readWhole(outputDir_ + "/stdout");
}

std::string ChildProcess::err() const {
    return readWhole(outputDir_ + "/stderr");
}

std::optional<std::string> ChildProcess::firstLine(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
        const bool ended = !running();  // before the look: a last line is still seen
        const std::string text = out();
        if (const auto end = text.find('\n'); end != std::string::npos) return text.substr(0, end);
        if (ended || Clock::now() > deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace testsupport
