// What the shell (kernel/shell.cpp) and the process calls (kernel/process.cpp)
// share. Host-internal.
#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// CommandLineToArgvW's rules for the arguments after the program name:
// blanks and tabs separate; quotes group and are removed; 2n backslashes
// before a quote give n and the quote groups, 2n+1 give n and a literal
// quote; backslashes elsewhere are literal; inside quotes, "" is a literal
// quote that also ends the quoted part.
std::vector<std::u16string> SplitParameters(std::u16string_view text);

// A name with a folder is taken as it stands; a bare name is looked up along
// PATH. Nothing when no executable file is found.
std::optional<std::string> FindExecutable(const std::string& name);

// Spawn attributes for a child that starts with no signal blocked and every
// signal at its default, plus `flags` (a session or a process group of its
// own). The caller destroys them.
void InitSpawnAttributes(posix_spawnattr_t& attributes, short flags);

// Waits for `child` on a thread of its own, so that it leaves no zombie.
void Reap(pid_t child);

}  // namespace host
