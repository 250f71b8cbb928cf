#include "Exchange.h"

#include <unistd.h>

#include <optional>
#include <thread>

#include "DirectoryLock.h"
#include "DirectoryWatch.h"
#include "ExchangeFiles.h"
#include "PosixFile.h"

namespace cuponex {
namespace {

constexpr const char* kRequest = "eq.MSG";
constexpr const char* kRequestDraft = "eqW.MSG";      // renamed to eq.MSG once whole
constexpr const char* kRequestWithdrawn = "eqX.MSG";  // a request taken back, then removed
constexpr const char* kReply = "eq.RSP";
// Where the directory cannot be watched, the pause between looks: a reply is
// still seen well within a millisecond while the wait costs little.
constexpr std::chrono::microseconds kLookInterval{500};

// Tells when the reply that answers this exchange's request may be read.
//
// The link program removes the request when it takes it and publishes the
// reply after that. A reply published before the take answers an earlier
// request (one the window stopped waiting for): it is left alone, never read
// as this one's, and the link's rename of the right reply replaces it. With a
// watch on the directory the order is seen in the events; without one, by
// looking, as far as looks can see.
class ReplyOrder {
  public:
    ReplyOrder(std::string request, std::string reply, bool watch)
        : request_(std::move(request)),
          reply_(std::move(reply)),
          requestName_(splitPath(request_).second),
          replyName_(splitPath(reply_).second) {
        if (watch) watch_.emplace(splitPath(request_).first);
        if (watch_ && !watch_->works()) watch_.reset();
    }

    // After the request is in place. The events tell the take in its order
    // with an earlier reply; only looks need to see whether it came already.
    void requestWritten(const FileId& ours) {
        ourRequest_ = ours;
        if (!watch_ && idOf(request_) != ours) taken_ = true;  // taken already
    }

    // Waits at most `limit` for something to happen; true when a reply
    // published after the take may be there.
    bool wait(std::chrono::steady_clock::duration limit) {
        if (watch_ && watch_->works()) return watched(limit);
        if (watch_) watch_.reset();  // events were lost: look from now on
        return looked();
    }

  private:
    bool watched(std::chrono::steady_clock::duration limit) {
        bool replyAfterTake = false;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(limit);
        for (const auto& event : watch_->wait(wait)) {
            if (event.name == requestName_) {
                // The first arrival is the window's own rename into place.
                if (event.change == DirectoryWatch::Change::Arrived) ourArrived_ = true;
                if (event.change == DirectoryWatch::Change::Left && ourArrived_) taken_ = true;
            } else if (event.name == replyName_ &&
                       event.change == DirectoryWatch::Change::Arrived) {
                if (taken_)
                    replyAfterTake = true;
                else
                    rejectOdd();
            }
        }
        return replyAfterTake;
    }

    bool looked() {
        if (!taken_ && requestGone()) taken_ = true;
        const auto reply = idOf(reply_);
        if (reply) rejectOdd();
        if (!taken_) {
            // A reply seen while the request is still there before and after
            // came before the take. One seen as the request goes may be the
            // answer, taken and published between two looks: it is read.
            if (requestGone()) {
                taken_ = true;
            } else if (reply) {
                earlierReply_ = reply;
            }
        }
        const bool fresh = reply && taken_ && reply != earlierReply_;
        if (!fresh) std::this_thread::sleep_for(kLookInterval);
        return fresh;
    }

    bool requestGone() const { return idOf(request_) != ourRequest_; }

    // Something that is no reply at all (a link, a pipe, a directory) is
    // removed and raised as an error whenever it turns up.
    void rejectOdd() const {
        if (isOddReply(reply_)) const Descriptor fd(openReply(reply_));  // raises the error
    }

    std::string request_;
    std::string reply_;
    std::string requestName_;  // as the directory's events name them
    std::string replyName_;
    std::optional<DirectoryWatch> watch_;
    std::optional<FileId> ourRequest_;
    std::optional<FileId> earlierReply_;
    bool ourArrived_ = false;
    bool taken_ = false;
};

}  // namespace

Exchange::Exchange(PermissionFailed permissionFailed)
    : permissionFailed_(std::move(permissionFailed)) {}

std::string Exchange::frame(const std::string& commandText) {
    return "\x1b." + commandText + "}";
}

std::string Exchange::run(const std::string& directory, const std::string& frame) {
    outcome_ = Outcome::Reply;
    // A steady clock: a change of the wall clock neither ends the wait early
    // nor makes it endless.
    const auto deadline = std::chrono::steady_clock::now() + limit_;
    const std::string request = directory + kRequest;
    const std::string reply = directory + kReply;
    // Held until the reply is read or the request withdrawn: no other client
    // removes this reply or reads it as its own.
    const DirectoryLock lock(splitPath(request).first, directory, deadline);
    ReplyOrder order(request, reply, watchDirectory_);
    removeOldReply(reply);
    const FileId ours = writeRequest(directory + kRequestDraft, request, frame);
    order.requestWritten(ours);

    for (;;) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= left.zero()) break;
        if (!order.wait(left)) continue;
        // Opening it is the look for it: the file whose mode is set and whose
        // line is read is the one found, whatever is renamed there meanwhile.
        const Descriptor fd(openReply(reply));
        if (fd.get() < 0) continue;
        if (::fchmod(fd.get(), 0777) != 0 && permissionFailed_) permissionFailed_();
        std::string line = readFirstLine(fd.get(), reply);
        struct stat seen {};
        if (::fstat(fd.get(), &seen) == 0) removeSeen(reply, seen);
        return line;
    }
    const bool withdrawn = withdrawRequest(request, directory + kRequestWithdrawn, ours);
    ::unlink(reply.c_str());
    outcome_ = withdrawn ? Outcome::NotTaken : Outcome::TimedOut;
    return kTimeoutReply;
}

}  // namespace cuponex
