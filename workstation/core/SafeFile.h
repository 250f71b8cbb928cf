#pragma once
// Files a user keeps are written whole or not at all.

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace cuponex {

// A file that could not be written; what() says which and why, in English.
// The path (file-system bytes) and the system's error number are kept apart,
// so that the window can say it in its own words.
class FileWriteError : public std::runtime_error {
  public:
    FileWriteError(const std::string& text, std::string path, int error)
        : std::runtime_error(text), path_(std::move(path)), error_(error) {}
    const std::string& path() const { return path_; }
    int error() const { return error_; }

  private:
    std::string path_;
    int error_;
};

// Writes `content` to a temporary file beside `path`, checks that every byte
// went out, flushes it to the disk and renames it over `path`. Any failure,
// a full disk part-way through included, removes the temporary file, leaves
// an existing `path` exactly as it was and throws FileWriteError.
void writeFileWhole(const std::string& path, std::string_view content);

}  // namespace cuponex
