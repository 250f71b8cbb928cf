#include "PseudoTerminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace ecfsim {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) fail("tcgetattr");
    cfmakeraw(&settings);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &settings) != 0) fail("tcsetattr");
}

void replaceLink(const std::string& linkPath, const std::string& target) {
    struct stat info {};
    if (lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            errno = EEXIST;
            fail("refusing to replace " + linkPath + ", which is not a symbolic link");
        }
        if (unlink(linkPath.c_str()) != 0 && errno != ENOENT) fail("unlink " + linkPath);
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) fail("symlink " + linkPath);
}

}  // namespace

PseudoTerminal::PseudoTerminal(std::string linkPath) : linkPath_(std::move(linkPath)) {
    try {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0) fail("posix_openpt");
        if (grantpt(master_) != 0) fail("grantpt");
        if (unlockpt(master_) != 0) fail("unlockpt");
        char name[256];
        if (ptsname_r(master_, name, sizeof name) != 0) fail("ptsname");
        devicePath_ = name;
        slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0) fail("open " + devicePath_);
        makeRaw(slave_);
        replaceLink(linkPath_, devicePath_);
        linked_ = true;
    } catch (...) {
        closeAll();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() {
    if (linked_) {
        char target[256];
        const ssize_t length = readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (length >= 0 && devicePath_ == std::string(target, static_cast<size_t>(length)))
            unlink(linkPath_.c_str());
    }
    closeAll();
}

void PseudoTerminal::closeAll() {
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
}

}  // namespace ecfsim
