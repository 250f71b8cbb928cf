#pragma once
// The changes to a few names in one directory, in the order they happened,
// through inotify.

#include <chrono>
#include <string>
#include <vector>

namespace cuponex {

class DirectoryWatch {
  public:
    enum class Change {
        Arrived,  // created, renamed into place, or closed after writing
        Left,     // deleted, or renamed away
    };
    struct Event {
        std::string name;
        Change change;
    };

    // Watches the directory `directory` ("" for the current one); works() is
    // false where that cannot be done (no inotify, no watches left, no such
    // directory).
    explicit DirectoryWatch(const std::string& directory);
    ~DirectoryWatch();
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;

    // False once events may have been lost (the queue overflowed, the
    // directory went away): the order can no longer be told.
    bool works() const { return fd_ >= 0 && !lost_; }

    // Waits at most `limit` for changes and returns them, oldest first; empty
    // when nothing happened in time or the watch no longer works.
    std::vector<Event> wait(std::chrono::milliseconds limit);

  private:
    int fd_ = -1;
    bool lost_ = false;
};

}  // namespace cuponex
