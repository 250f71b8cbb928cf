#pragma once
// The lines sent from a command line this session, walked back and forth as
// in a shell: "older" from the newest to the oldest, "newer" back again and,
// past the newest, to an empty line. A line sent twice in a row is kept once.

#include <optional>
#include <string>
#include <vector>

namespace cuponex {

class CommandLineHistory {
  public:
    // A line was sent: it becomes the newest, and the walk starts again below it.
    void add(const std::string& line);

    // The line to show after a step; none when there is nowhere to go (the
    // line shown stays as it is).
    std::optional<std::string> older();
    std::optional<std::string> newer();

  private:
    std::vector<std::string> lines_;  // oldest first
    std::size_t position_ = 0;        // lines_.size(): below the newest
};

}  // namespace cuponex
