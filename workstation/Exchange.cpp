#include "Exchange.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <thread>

#include "Latin1.h"

namespace cuponex {
namespace {

constexpr const char* kRequest = "eq.MSG";
constexpr const char* kRequestDraft = "eqW.MSG";  // renamed to eq.MSG once whole
constexpr const char* kReply = "eq.RSP";
// Pause between looks for the reply: a reply is still seen well within a
// millisecond while the wait costs little processor time.
constexpr std::chrono::microseconds kLookInterval{400};

[[noreturn]] void fail(const std::string& path) {
    const int error = errno;
    throw ExchangeError(latin1(QStringLiteral("Erro de entrada/saída %1 (%2): %3")
                                   .arg(error)
                                   .arg(QString::fromLocal8Bit(std::strerror(error)))
                                   .arg(QFile::decodeName(path.c_str()))));
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

}  // namespace

Exchange::Exchange(DirectoryPrefix prefix, PermissionFailed permissionFailed)
    : prefix_(std::move(prefix)), permissionFailed_(std::move(permissionFailed)) {}

std::string Exchange::frame(const std::string& commandText) {
    return "\x1b." + commandText + "}";
}

std::string Exchange::path(const char* name) const {
    return QFile::encodeName(prefix_() + QLatin1String(name)).toStdString();
}

void Exchange::writeRequest(const std::string& frame) const {
    const std::string draft = path(kRequestDraft);
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
    const std::string request = path(kRequest);
    if (::rename(draft.c_str(), request.c_str()) != 0) fail(request);
}

std::string Exchange::readFirstLine(const std::string& replyPath) const {
    const int fd = ::open(replyPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(replyPath);
    std::string line;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            fail(replyPath);
        }
        if (n == 0) break;
        const auto* end =
            static_cast<const char*>(std::memchr(chunk, '\n', static_cast<size_t>(n)));
        line.append(chunk, end ? static_cast<size_t>(end - chunk) : static_cast<size_t>(n));
        if (end) break;
    }
    ::close(fd);
    std::erase(line, '\r');
    return line;
}

std::string Exchange::run(const std::string& frame) {
    timedOut_ = false;
    ::unlink(path(kReply).c_str());
    writeRequest(frame);

    // A steady clock: a change of the wall clock neither ends the wait early
    // nor makes it endless.
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const std::string reply = path(kReply);
        if (::access(reply.c_str(), F_OK) == 0) {
            if (::chmod(reply.c_str(), 0777) != 0 && permissionFailed_) permissionFailed_();
            std::string line = readFirstLine(reply);
            ::unlink(reply.c_str());
            return line;
        }
        if (std::chrono::steady_clock::now() - start >= kLimit) {
            ::unlink(reply.c_str());
            timedOut_ = true;
            return kTimeoutReply;
        }
        std::this_thread::sleep_for(kLookInterval);
    }
}

}  // namespace cuponex
