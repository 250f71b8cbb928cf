#pragma once
// Files a user keeps are written whole or not at all.

#include <stdexcept>
#include <string>
#include <string_view>

namespace cuponex {

// A file that could not be written; what() says which and why.
class FileWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes `content` to a temporary file beside `path`, checks that every byte
// went out, flushes it to the disk and renames it over `path`. Any failure,
// a full disk part-way through included, removes the temporary file, leaves
// an existing `path` exactly as it was and throws FileWriteError.
void writeFileWhole(const std::string& path, std::string_view content);

}  // namespace cuponex
