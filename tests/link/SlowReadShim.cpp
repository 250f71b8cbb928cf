// Preloaded into eqlink by the tests (LD_PRELOAD) to make its read of a
// request slow: the first read() of each file it opens read-only under
// SLOW_READ_DIR waits SLOW_READ_MS milliseconds, after creating the file
// SLOW_READ_MARK, so that the test knows the link is in that read and can
// put the next request in place meanwhile.

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

namespace {

using OpenFunction = int (*)(const char*, int, ...);
using ReadFunction = ssize_t (*)(int, void*, size_t);
using CloseFunction = int (*)(int);

// Descriptors whose first read is still to be slowed.
constexpr int kWatchedLimit = 1024;
bool watched[kWatchedLimit];

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void noteOpen(const char* path, int flags, int fd) {
    const char* dir = getenv("SLOW_READ_DIR");
    if (fd < 0 || fd >= kWatchedLimit || dir == nullptr) return;
    const size_t length = strlen(dir);
    watched[fd] =
        (flags & O_ACCMODE) == O_RDONLY && strncmp(path, dir, length) == 0 && path[length] == '/';
}

int openWith(const char* name, const char* path, int flags, va_list more) {
    const mode_t mode = (flags & O_CREAT) != 0 ? static_cast<mode_t>(va_arg(more, int)) : 0;
    const int fd = next<OpenFunction>(name)(path, flags, mode);
    noteOpen(path, flags, fd);
    return fd;
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
    va_list more;
    va_start(more, flags);
    const int fd = openWith("open", path, flags, more);
    va_end(more);
    return fd;
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list more;
    va_start(more, flags);
    const int fd = openWith("open64", path, flags, more);
    va_end(more);
    return fd;
}

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
    if (fd >= 0 && fd < kWatchedLimit && watched[fd]) {
        watched[fd] = false;
        if (const char* mark = getenv("SLOW_READ_MARK")) {
            const int made = next<OpenFunction>("open")(mark, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (made >= 0) next<CloseFunction>("close")(made);
        }
        const char* ms = getenv("SLOW_READ_MS");
        const long wait = ms != nullptr ? atol(ms) : 0;
        timespec pause{wait / 1000, (wait % 1000) * 1000000};
        while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
        }
    }
    return next<ReadFunction>("read")(fd, buffer, count);
}

extern "C" int close(int fd) {
    if (fd >= 0 && fd < kWatchedLimit) watched[fd] = false;
    return next<CloseFunction>("close")(fd);
}
