#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "PosixFile.h"

namespace cuponex {
namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw FileWriteError("cannot write " + path + ": " + std::strerror(error), path, error);
}

// A new file ".NAME.XXXXXX" in the target's directory, so that the rename
// stays on one file system. Created exclusively (never an existing file or a
// link planted there), with the usual 0666 less the umask.
int createTemporary(const std::string& directory, const std::string& name, std::string& tempPath) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = directory + "." + name + ".";
        for (int i = 0; i < 6; ++i) tempPath += kLetters[random() % (sizeof kLetters - 1)];
        const int fd =
            ::open(tempPath.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes the rename itself durable. The new content is in place by then, so a
// failure here is not reported as a failure to write it.
void flushDirectory(const std::string& directory) {
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void writeFileWhole(const std::string& path, std::string_view content) {
    const auto [directory, name] = splitPath(path);
    if (name.empty()) fail(path, path.empty() ? ENOENT : EISDIR);

    std::string tempPath;
    const int fd = createTemporary(directory, name, tempPath);
    if (fd < 0) fail(path, errno);
    // A file replaced keeps its permissions (best effort: the content matters).
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 0777);

    if (writeAsideAndRename(fd, tempPath, path, content, true) != AsideFailure::None) {
        fail(path, errno);
    }
    flushDirectory(directory);
}

}  // namespace cuponex
