#include "SimHarness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace simtest {
namespace {

pid_t spawn(const std::vector<std::string>& args, int stdoutFd, int stderrFd = -1) {
    std::vector<char*> argv{const_cast<char*>(ECFSIM_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (stdoutFd >= 0) dup2(stdoutFd, STDOUT_FILENO);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(stderrFd >= 0 ? stderrFd : devNull, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0) throw std::runtime_error("fork failed");
    return pid;
}

int exitStatus(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ecfsim-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    pid_ = spawn(args, pipeFds[1]);
    close(pipeFds[1]);
    pollfd out{pipeFds[0], POLLIN, 0};
    char byte = 0;
    while (poll(&out, 1, 5000) > 0 && read(pipeFds[0], &byte, 1) == 1 && byte != '\n')
        readyLine_ += byte;
    close(pipeFds[0]);
}

SimProcess::~SimProcess() {
    if (pid_ > 0) stop();
}

int SimProcess::stop() {
    kill(pid_, SIGTERM);
    const int status = exitStatus(pid_);
    pid_ = -1;
    return status;
}

void SimProcess::signal(int number) const {
    kill(pid_, number);
}

int runToExit(const std::vector<std::string>& args, std::string* errors) {
    if (!errors) return exitStatus(spawn(args, -1));
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = spawn(args, -1, pipeFds[1]);
    close(pipeFds[1]);
    char buffer[4096];
    pollfd err{pipeFds[0], POLLIN, 0};
    ssize_t n = 0;
    while (poll(&err, 1, 5000) > 0 && (n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        errors->append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    return exitStatus(pid);
}

LinkClient::LinkClient(const std::string& devicePath) {
    fd_ = open(devicePath.c_str(), O_RDWR | O_NOCTTY);
    if (fd_ < 0) throw std::runtime_error("cannot open " + devicePath);
    termios settings{};
    tcgetattr(fd_, &settings);
    cfmakeraw(&settings);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    tcflush(fd_, TCIFLUSH);
    tcsetattr(fd_, TCSANOW, &settings);
}

LinkClient::~LinkClient() {
    close(fd_);
}

void LinkClient::send(std::string_view bytes) {
    if (write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("short write");
}

bool LinkClient::readByte(char& byte, Millis limit) {
    pollfd in{fd_, POLLIN, 0};
    return poll(&in, 1, static_cast<int>(limit.count())) == 1 && read(fd_, &byte, 1) == 1;
}

bool LinkClient::hungUp(Millis limit) {
    pollfd line{fd_, 0, 0};
    return poll(&line, 1, static_cast<int>(limit.count())) == 1 && (line.revents & POLLHUP);
}

std::string LinkClient::readUntilQuiet(Millis quiet, Millis firstByte) {
    std::string received;
    char byte;
    if (!readByte(byte, std::max(quiet, firstByte))) return received;
    received += byte;
    while (readByte(byte, quiet)) received += byte;
    return received;
}

LinkClient::Reply LinkClient::exchange(std::string_view frame, bool multiBlock, Millis perByte) {
    tcflush(fd_, TCIFLUSH);
    send(std::string(frame) + "\n");
    std::string kept;
    char byte;
    while (readByte(byte, perByte)) {
        if (!multiBlock) {
            if (byte == '}') return {kept, false};
        } else if (kept.size() >= 4) {
            if (kept.ends_with(".]}")) return {kept, false};
            if (byte == '}') send(kContinuation);
        }
        kept += byte;
    }
    return {kept, true};
}

}  // namespace simtest
