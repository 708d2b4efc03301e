#include "platform/host/launcher/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <thread>

namespace host {
namespace {

namespace fs = std::filesystem;

constexpr auto kPause = std::chrono::milliseconds(10);
// How long a process that has just taken the lock may take to write its id.
constexpr int kIdWriteAttempts = 50;
constexpr size_t kLongestListName = 64;

// A folder made (or found) with room for the user alone; false with `why`.
bool OwnFolder(const std::string& folder, uid_t user, std::string& why)
{
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        why = "cannot make " + folder + " (" + strerror(errno) + ")";
        return false;
    }
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != user ||
        (status.st_mode & 077) != 0) {
        why = folder + " is not a folder of the user's alone";
        return false;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        why = "cannot write in " + folder + " (" + strerror(errno) + ")";
        return false;
    }
    return true;
}

uint64_t Hash(const std::string& text)
{
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// The id written in the file, 0 when there is none yet.
pid_t WrittenId(int file)
{
    char text[32] = {};
    const ssize_t size = pread(file, text, sizeof text - 1, 0);
    pid_t id = 0;
    if (size <= 0 || std::from_chars(text, text + size, id).ec != std::errc())
        return 0;
    return id;
}

}  // namespace

std::string InstanceLockFolder(const char* runtimeDir, uid_t user, std::string& why)
{
    std::string reasons;
    if (runtimeDir && *runtimeDir == '/') {
        const std::string folder = std::string(runtimeDir) + "/ostrevia";
        if (OwnFolder(folder, user, why))
            return folder;
        reasons = why + ", ";
    } else {
        reasons = "XDG_RUNTIME_DIR is not set, ";
    }
    const std::string fallback = "/tmp/ostrevia-" + std::to_string(user);
    if (OwnFolder(fallback, user, why))
        return fallback;
    why = reasons + why;
    return "";
}

std::string InstanceLockFile(const std::string& folder, const std::string& listPath, const std::string& display)
{
    char hash[17] = {};
    std::to_chars(hash, hash + 16, Hash(display + '\n' + listPath), 16);
    const std::string name = fs::path(listPath).filename().string().substr(0, kLongestListName);
    return folder + "/" + name + "-" + hash + ".lock";
}

InstanceLock::~InstanceLock()
{
    if (m_file >= 0)
        close(m_file);
}

InstanceLock::Result InstanceLock::Take(const std::string& file, pid_t& holder, std::string& error)
{
    holder = 0;
    const int opened = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (opened < 0) {
        error = "cannot open " + file + " (" + strerror(errno) + ")";
        return Result::Failed;
    }
    if (flock(opened, LOCK_EX | LOCK_NB) != 0) {
        const int failure = errno;
        if (failure != EWOULDBLOCK) {
            close(opened);
            error = "cannot lock " + file + " (" + strerror(failure) + ")";
            return Result::Failed;
        }
        // Started in the same moment: the holder writes its id just after it
        // took the lock.
        for (int attempt = 0; attempt < kIdWriteAttempts && !(holder = WrittenId(opened)); ++attempt)
            std::this_thread::sleep_for(kPause);
        close(opened);
        return Result::Held;
    }
    const std::string id = std::to_string(getpid());
    if (ftruncate(opened, 0) != 0 || pwrite(opened, id.data(), id.size(), 0) != static_cast<ssize_t>(id.size())) {
        error = "cannot write " + file + " (" + strerror(errno) + ")";
        close(opened);
        return Result::Failed;
    }
    if (m_file >= 0)
        close(m_file);
    m_file = opened;
    return Result::Taken;
}

InstanceLock::Result InstanceLock::TakeWithin(const std::string& file, int milliseconds, pid_t& holder,
                                              std::string& error)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const Result result = Take(file, holder, error);
        if (result != Result::Held || std::chrono::steady_clock::now() >= end)
            return result;
        std::this_thread::sleep_for(kPause);
    }
}

}  // namespace host
