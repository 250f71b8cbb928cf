#include "SimHarness.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace simtest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ecfsim-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

SimProcess::SimProcess(const std::vector<std::string>& args)
    : process_(ECFSIM_PATH, args), readyLine_(process_.firstLine().value_or("")) {}

int runToExit(const std::vector<std::string>& args, std::string* errors) {
    testsupport::ChildProcess process(ECFSIM_PATH, args);
    const int status = process.waitForExit();
    if (errors) *errors = process.err();
    return status;
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
