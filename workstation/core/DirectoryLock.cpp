#include "DirectoryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "Exchange.h"
#include "ExchangeFiles.h"
#include "Utf8.h"

namespace cuponex {
namespace {

// The pause between tries while another client exchanges: short beside an
// exchange (a fraction of a millisecond with a fast printer), so turns follow
// each other closely.
constexpr std::chrono::microseconds kRetryInterval{250};

}  // namespace

DirectoryLock::DirectoryLock(const std::string& directory, const std::string& shownName,
                             std::chrono::steady_clock::time_point deadline) {
    const std::string path = directory.empty() ? "." : directory;
    fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return;  // the request cannot be written either
        failOn(path);
    }
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            ::close(fd_);
            errno = error;
            failOn(path);
        }
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(kRetryInterval);
    }
    ::close(fd_);
    throw ExchangeError(
        "O diret\xF3rio " + utf8ToLatin1(shownName) + " est\xE1 em uso por outro programa.",
        ExchangeError::Kind::DirectoryBusy, shownName);
}

DirectoryLock::~DirectoryLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace cuponex
