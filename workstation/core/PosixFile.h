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

// The directory part of a path, with its trailing "/", and its last name:
// "/a/b/eq.MSG" gives "/a/b/" and "eq.MSG"; a path without "/" gives "" and
// itself, so the directory part is always a prefix of the path.
std::pair<std::string, std::string> splitPath(const std::string& path);

}  // namespace cuponex
