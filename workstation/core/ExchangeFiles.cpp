#include "ExchangeFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

std::optional<FileId> idOf(const std::string& path) {
    struct stat seen {};
    if (::lstat(path.c_str(), &seen) != 0) return std::nullopt;
    return FileId{seen.st_dev, seen.st_ino};
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

FileId writeRequest(const std::string& draft, const std::string& request,
                    const std::string& frame) {
    // Without waiting for a reader, should something planted there be a pipe.
    const int fd = ::open(draft.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) failOn(draft);
    struct stat written {};
    const bool seen = ::fstat(fd, &written) == 0;
    if (!seen || !S_ISREG(written.st_mode)) {
        const int error = seen ? EINVAL : errno;
        ::close(fd);
        errno = error;
        failOn(draft);
    }
    // The request is gone once answered: not worth a flush to the disk.
    const AsideFailure failure = writeAsideAndRename(fd, draft, request, frame + "\n", false);
    if (failure != AsideFailure::None) failOn(failure == AsideFailure::Rename ? request : draft);
    return FileId{written.st_dev, written.st_ino};
}

// The link takes a request by renaming eq.MSG to a name of its own, and the
// withdrawal is a rename of eq.MSG too. The kernel does renames of one name
// one after the other, so exactly one of the two moves our file: the other
// finds no eq.MSG (ENOENT) or a newer file there. What the withdrawal moved
// is then looked at: our file is withdrawn and removed; the link's take, if
// it comes later, finds nothing or the next request. A newer file (written by
// a program that does not lock the directory, after ours left) goes back.
bool withdrawRequest(const std::string& request, const std::string& aside, const FileId& ours) {
    if (idOf(request) != ours) return false;  // left already: nothing of ours to move
    if (::rename(request.c_str(), aside.c_str()) != 0) {
        if (errno == ENOENT) return false;  // the link's rename came first
        failOn(request);
    }
    if (idOf(aside) == ours) {
        ::unlink(aside.c_str());
        return true;
    }
    // Not ours. Back into place, unless a still newer request stands there
    // now: that one would have replaced it anyway, as a rename over it does.
    if (::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, request.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EINVAL) {
            ::rename(aside.c_str(), request.c_str());  // no such rename here: the plain one
        } else {
            ::unlink(aside.c_str());
        }
    }
    return false;
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
