#pragma once
// One exchange at a time per working directory: every client (the window,
// --replay, the history's sends) holds an exclusive flock on the directory
// itself while it exchanges, so no new file is needed and a lock dies with
// its holder.

#include <chrono>
#include <string>

namespace cuponex {

class DirectoryLock {
  public:
    // Locks the directory `directory` ("" for the current one), waiting for it
    // until `deadline`. Raises ExchangeError::Kind::DirectoryBusy, naming
    // `shownName`, when another client still holds it then. A directory that
    // cannot be opened is not locked: the exchange's own files then fail and
    // name themselves.
    DirectoryLock(const std::string& directory, const std::string& shownName,
                  std::chrono::steady_clock::time_point deadline);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace cuponex
