#include "ExchangeFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Exchange.h"
#include "Utf8.h"

namespace cuponex {
[[noreturn]] void failOn(const std::string& path) {
    const int error = errno;
    throw ExchangeError(
        "Erro de entrada/sa\xED"
        "da " +
        std::to_string(error) + " (" + utf8ToLatin1(std::strerror(error)) +
        "): " + utf8ToLatin1(path));
}

void removeSeen(const std::string& path, const struct stat& seen) {
    struct stat now {};
    if (::lstat(path.c_str(), &now) != 0 || now.st_dev != seen.st_dev ||
        now.st_ino != seen.st_ino) {
        return;
    }
    if (S_ISDIR(now.st_mode)) {
        ::rmdir(path.c_str());
    } else {
        ::unlink(path.c_str());
    }
}

int openReply(const std::string& replyPath) {
    // Not through a symbolic link, and not waiting for a writer.
    const int fd =
        ::open(replyPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return -1;
        const int error = errno;  // ELOOP for a symbolic link, ENXIO for a socket
        struct stat seen {};
        if (::lstat(replyPath.c_str(), &seen) == 0 && !S_ISREG(seen.st_mode)) {
            removeSeen(replyPath, seen);
        }
        errno = error;
        failOn(replyPath);
    }
    struct stat seen {};
    if (::fstat(fd, &seen) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        failOn(replyPath);
    }
    if (!S_ISREG(seen.st_mode) || seen.st_nlink != 1) {
        ::close(fd);
        removeSeen(replyPath, seen);
        errno = S_ISDIR(seen.st_mode) ? EISDIR : S_ISREG(seen.st_mode) ? EMLINK : EINVAL;
        failOn(replyPath);
    }
    return fd;
}

void writeRequest(const std::string& draft, const std::string& request, const std::string& frame) {
    const int fd =
        ::open(draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) failOn(draft);
    // The request is gone once answered: not worth a flush to the disk.
    const AsideFailure failure = writeAsideAndRename(fd, draft, request, frame + "\n", false);
    if (failure != AsideFailure::None) failOn(failure == AsideFailure::Rename ? request : draft);
}

std::string readFirstLine(int fd, const std::string& replyPath) {
    std::string line;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failOn(replyPath);
        if (n == 0) break;
        const auto* end =
            static_cast<const char*>(std::memchr(chunk, '\n', static_cast<size_t>(n)));
        line.append(chunk, end ? static_cast<size_t>(end - chunk) : static_cast<size_t>(n));
        if (end) break;
    }
    std::erase(line, '\r');
    return line;
}

void removeOldReply(const std::string& replyPath) {
    struct stat seen {};
    if (::lstat(replyPath.c_str(), &seen) != 0) {
        if (errno == ENOENT) return;
        failOn(replyPath);
    }
    const int removed =
        S_ISDIR(seen.st_mode) ? ::rmdir(replyPath.c_str()) : ::unlink(replyPath.c_str());
    if (removed != 0 && errno != ENOENT) failOn(replyPath);
}

bool isOddReply(const std::string& replyPath) {
    struct stat seen {};
    return ::lstat(replyPath.c_str(), &seen) == 0 && (!S_ISREG(seen.st_mode) || seen.st_nlink != 1);
}

}  // namespace cuponex
