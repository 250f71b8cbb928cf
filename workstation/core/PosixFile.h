#pragma once
// Small pieces of POSIX file handling that the exchange and the file writers
// share.

#include <string>
#include <string_view>
#include <utility>

#include "common/Descriptor.h"

namespace cuponex {

// Writes every byte, going on after interruptions and short writes. False
// with errno set when a write fails (ENOSPC when one writes nothing).
bool writeAll(int fd, std::string_view bytes);

// Writes `content` to the new file `draft`, open on `fd`, closes it and
// renames it to `target`, so that `target` is never seen half-written; with
// `durable` the content is flushed to the disk before the rename. On a failure
// `draft` is removed and the step that failed is returned, errno set.
enum class AsideFailure { None, Write, Rename };
AsideFailure writeAsideAndRename(int fd, const std::string& draft, const std::string& target,
                                 std::string_view content, bool durable);

// The directory part of a path, with its trailing "/", and its last name:
// "/a/b/eq.MSG" gives "/a/b/" and "eq.MSG"; a path without "/" gives "" and
// itself, so the directory part is always a prefix of the path.
std::pair<std::string, std::string> splitPath(const std::string& path);

}  // namespace cuponex
