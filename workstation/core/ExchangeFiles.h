#pragma once
// The files of one exchange, as the workstation handles them: the request
// written aside and renamed into place, the reply opened once, checked and
// read on that descriptor. Failures are raised as ExchangeError.

#include <sys/stat.h>

#include <optional>
#include <string>

#include "PosixFile.h"

namespace cuponex {

// Which file a name stands for.
struct FileId {
    dev_t device;
    ino_t inode;
    bool operator==(const FileId&) const = default;
};

// The file at `path` itself (a symbolic link is not followed); none when
// nothing is there.
std::optional<FileId> idOf(const std::string& path);

// Raises the input/output error of errno on `path`.
[[noreturn]] void failOn(const std::string& path);

// Writes the frame and a line feed to `draft` and renames it to `request`, so
// the request is never seen half-written. Returns the file written.
FileId writeRequest(const std::string& draft, const std::string& request, const std::string& frame);

// Takes the request `ours` back from `request` before any link takes it, by
// renaming it to `aside` and removing it there. True when it was withdrawn
// (it never reaches the printer); false when it had left already (a link
// took it, or a newer request replaced it). Raises ExchangeError when it is
// still in place and cannot be moved.
bool withdrawRequest(const std::string& request, const std::string& aside, const FileId& ours);

// Removes a reply an earlier exchange left. One that cannot be removed would
// be taken for this exchange's reply, so that is an input/output error.
void removeOldReply(const std::string& replyPath);

// Removes what stands at `path`, provided it is still the file that was looked
// at (a reply renamed there since stays). A directory goes only when empty.
void removeSeen(const std::string& path, const struct stat& seen);

// Whether something that is not a reply stands at `replyPath`: anything but a
// regular file with a single name.
bool isOddReply(const std::string& replyPath);

// The reply as the link program publishes it: a regular file with one name.
// Anything else in its place (a symbolic link or a second name for another
// file, whose mode would be opened up and whose text would be shown; a named
// pipe, which would freeze the window; a device; a directory) is removed and
// raised as an input/output error. -1 while there is no reply.
int openReply(const std::string& replyPath);

// The first line of the reply, without carriage returns.
std::string readFirstLine(int fd, const std::string& replyPath);

}  // namespace cuponex
