#include "Exchange.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "Utf8.h"

namespace cuponex {
namespace {

constexpr const char* kRequest = "eq.MSG";
constexpr const char* kRequestDraft = "eqW.MSG";  // renamed to eq.MSG once whole
constexpr const char* kReply = "eq.RSP";
// Pause between looks for the reply: a reply is still seen well within a
// millisecond while the wait costs little processor time.
constexpr std::chrono::microseconds kLookInterval{500};

[[noreturn]] void fail(const std::string& path) {
    const int error = errno;
    throw ExchangeError(
        "Erro de entrada/sa\xED"
        "da " +
        std::to_string(error) + " (" + utf8ToLatin1(std::strerror(error)) +
        "): " + utf8ToLatin1(path));
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The reply's descriptor, closed on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Removes what stands at `path`, provided it is still the file that was looked
// at (a reply renamed there since stays). A directory goes only when empty.
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

// The reply as the link program publishes it: a regular file with one name.
// Anything else in its place (a symbolic link or a second name for another
// file, whose mode would be opened up and whose text would be shown; a named
// pipe, which would freeze the window; a device; a directory) is removed and
// raised as an input/output error. -1 while there is no reply yet.
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
        fail(replyPath);
    }
    struct stat seen {};
    if (::fstat(fd, &seen) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        fail(replyPath);
    }
    if (!S_ISREG(seen.st_mode) || seen.st_nlink != 1) {
        ::close(fd);
        removeSeen(replyPath, seen);
        errno = S_ISDIR(seen.st_mode) ? EISDIR : S_ISREG(seen.st_mode) ? EMLINK : EINVAL;
        fail(replyPath);
    }
    return fd;
}

}  // namespace

Exchange::Exchange(PermissionFailed permissionFailed)
    : permissionFailed_(std::move(permissionFailed)) {}

std::string Exchange::frame(const std::string& commandText) {
    return "\x1b." + commandText + "}";
}

namespace {

void writeRequest(const std::string& directory, const std::string& frame) {
    const std::string draft = directory + kRequestDraft;
    const int fd =
        ::open(draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) fail(draft);
    if (!writeAll(fd, frame + "\n")) {
        const int error = errno;
        ::close(fd);
        ::unlink(draft.c_str());
        errno = error;
        fail(draft);
    }
    if (::close(fd) != 0) fail(draft);
    const std::string request = directory + kRequest;
    if (::rename(draft.c_str(), request.c_str()) != 0) fail(request);
}

std::string readFirstLine(int fd, const std::string& replyPath) {
    std::string line;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(replyPath);
        if (n == 0) break;
        const auto* end =
            static_cast<const char*>(std::memchr(chunk, '\n', static_cast<size_t>(n)));
        line.append(chunk, end ? static_cast<size_t>(end - chunk) : static_cast<size_t>(n));
        if (end) break;
    }
    std::erase(line, '\r');
    return line;
}

}  // namespace

std::string Exchange::run(const std::string& directory, const std::string& frame) {
    timedOut_ = false;
    const std::string reply = directory + kReply;
    ::unlink(reply.c_str());
    writeRequest(directory, frame);

    // A steady clock: a change of the wall clock neither ends the wait early
    // nor makes it endless.
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        // Opening it is the look for it: the file whose mode is set and whose
        // line is read is the one found, whatever is renamed there meanwhile.
        const Descriptor fd(openReply(reply));
        if (fd.get() >= 0) {
            if (::fchmod(fd.get(), 0777) != 0 && permissionFailed_) permissionFailed_();
            std::string line = readFirstLine(fd.get(), reply);
            ::unlink(reply.c_str());
            return line;
        }
        if (std::chrono::steady_clock::now() - start >= limit_) {
            ::unlink(reply.c_str());
            timedOut_ = true;
            return kTimeoutReply;
        }
        std::this_thread::sleep_for(kLookInterval);
    }
}

}  // namespace cuponex
