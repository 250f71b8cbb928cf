#pragma once
// Runs a test's action at one exact moment of the code under test: just
// before it looks at a path (lstat) or just before or after it renames
// something onto a path. This program's rename and lstat stand in front of
// the C library's; without an action pending they only pass the call on.
// Each action runs once, on the thread that made the call, and may itself
// look and rename.

#include <functional>
#include <string>

namespace filehooks {

enum class Moment { BeforeLookAt, BeforeRenameOnto, AfterRenameOnto };

void at(Moment moment, const std::string& path, std::function<void()> action);

// Drops the actions that did not run.
void clear();

}  // namespace filehooks
