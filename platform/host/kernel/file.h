// The rule of every file the host opens, for reading or writing: only
// regular files, and no open that can wait. A named pipe without a writer
// (or reader) holds a plain open forever, and a device such as /dev/zero
// never ends; Windows opens neither as a file. Host-internal; CreateFileW
// (kernel/file.cpp) keeps the same rule.
#pragma once

#include <string>

namespace host {

// open(2) of `path` with `flags` (O_CLOEXEC added) that never waits and
// keeps only a regular file; the descriptor is blocking again when returned.
// -1 with errno set when the open fails, EINVAL when `path` is something
// other than a regular file.
int OpenRegularFile(const std::string& path, int flags);

// The whole content of the regular file `path`; false (errno set as by
// OpenRegularFile) when it cannot be read.
bool ReadRegularFile(const std::string& path, std::string& content);

// Whether `path` can take a file that the program writes: a regular file
// is there, or nothing is (a new one).
bool IsRegularOrNewFile(const std::string& path);

}  // namespace host
