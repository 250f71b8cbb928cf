#include "PosixFile.h"

#include <cerrno>
#include <cstdio>

namespace cuponex {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

AsideFailure writeAsideAndRename(int fd, const std::string& draft, const std::string& target,
                                 std::string_view content, bool durable) {
    AsideFailure failure = AsideFailure::None;
    int error = 0;
    if (!writeAll(fd, content) || (durable && ::fsync(fd) != 0)) {
        failure = AsideFailure::Write;
        error = errno;
    }
    if (::close(fd) != 0 && failure == AsideFailure::None) {
        failure = AsideFailure::Write;
        error = errno;
    }
    if (failure == AsideFailure::None && ::rename(draft.c_str(), target.c_str()) != 0) {
        failure = AsideFailure::Rename;
        error = errno;
    }
    if (failure != AsideFailure::None) {
        ::unlink(draft.c_str());
        errno = error;
    }
    return failure;
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

}  // namespace cuponex
