// One instance per panel list and display: a process that shows a list holds
// an flock on a file named after the list's path and the display, in a
// folder of the user's own, with its process id written in it. The kernel
// drops the lock when the process ends, however it ends, so a lock file left
// by a crashed run blocks nothing.
#pragma once

#include <sys/types.h>

#include <string>

namespace host {

// The folder for the lock files: $XDG_RUNTIME_DIR/ostrevia (`runtimeDir`),
// else /tmp/ostrevia-UID when that is a folder of the user's alone. Empty,
// with `why`, when neither can be had.
std::string InstanceLockFolder(const char* runtimeDir, uid_t user, std::string& why);

// The lock file in `folder` for the list at `listPath` shown on `display`.
std::string InstanceLockFile(const std::string& folder, const std::string& listPath, const std::string& display);

class InstanceLock {
public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    enum class Result { Taken, Held, Failed };
    // Takes the lock of `file` (made when missing) and writes this process's
    // id into it. Held: another process holds it, `holder` being its id (0
    // when it has not written it yet). Failed: the file cannot be used, `error`
    // says why.
    Result Take(const std::string& file, pid_t& holder, std::string& error);
    // Take, tried again for up to `milliseconds` while another process holds it.
    Result TakeWithin(const std::string& file, int milliseconds, pid_t& holder, std::string& error);

private:
    int m_file = -1;
};

}  // namespace host
