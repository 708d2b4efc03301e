#include "platform/host/launcher/FirstStartCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <stdio.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace host {
namespace {

namespace fs = std::filesystem;

// Renames `from` to `to` unless `to` exists; false with errno set otherwise.
bool RenameWithoutReplacing(const fs::path& from, const fs::path& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL)
        return false;
    // A file system without the flag: look first, at the price of a race.
    struct stat status {};
    if (lstat(to.c_str(), &status) == 0) {
        errno = EEXIST;
        return false;
    }
    return errno == ENOENT && rename(from.c_str(), to.c_str()) == 0;
}

// Moves what `to` lacks from `from` into it, descending into folders that both
// have; `last` (a name in `from`) goes after everything else.
bool MoveMissing(const fs::path& from, const fs::path& to, const std::string& last, std::error_code& failure)
{
    auto move = [&](const fs::path& entry) {
        const fs::path destination = to / entry.filename();
        if (RenameWithoutReplacing(entry, destination))
            return true;
        if (errno != EEXIST && errno != ENOTEMPTY) {
            failure.assign(errno, std::generic_category());
            return false;
        }
        std::error_code ignored;
        if (fs::is_directory(entry, ignored) && fs::is_directory(destination, ignored))
            return MoveMissing(entry, destination, "", failure);
        return true;  // the user's own file stays
    };
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, failure)) {
        if (entry.path().filename() != last)
            entries.push_back(entry.path());
    }
    if (failure)
        return false;
    if (!last.empty() && fs::exists(from / last))
        entries.push_back(from / last);
    for (const fs::path& entry : entries) {
        if (!move(entry))
            return false;
    }
    return true;
}

bool CopyWritable(const fs::path& source, const fs::path& copy, std::error_code& failure)
{
    fs::copy(source, copy, fs::copy_options::recursive, failure);
    if (failure)
        return false;
    for (auto it = fs::recursive_directory_iterator(copy, failure); !failure && it != fs::end(it);
         it.increment(failure)) {
        fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, failure);
        if (failure)
            return false;
    }
    return !failure;
}

}  // namespace

bool CopyPanelsInto(const std::string& source, const std::string& target, const std::string& listName,
                    std::string& error)
{
    fs::path targetPath = fs::path(target).lexically_normal();
    if (!targetPath.has_filename())
        targetPath = targetPath.parent_path();
    const fs::path parent = targetPath.parent_path();
    const std::string advice = "; make it writable or set XDG_CONFIG_HOME to a folder you own";
    std::error_code failure;
    fs::create_directories(parent, failure);
    if (failure) {
        error = "cannot create " + parent.string() + " (" + failure.message() + ")" + advice;
        return false;
    }
    std::string pattern = (parent / ("." + targetPath.filename().string() + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        error = "cannot write in " + parent.string() + " (" + strerror(errno) + ")" + advice;
        return false;
    }
    const fs::path temporary = pattern;
    const fs::path copy = temporary / targetPath.filename();
    bool done = CopyWritable(source, copy, failure);
    if (!done) {
        error = "cannot copy the panels from " + source + " (" + failure.message() + ")";
    } else if (!RenameWithoutReplacing(copy, targetPath)) {
        const int renameError = errno;
        const bool taken = renameError == EEXIST || renameError == ENOTEMPTY;
        if (taken && fs::is_directory(targetPath, failure)) {
            done = MoveMissing(copy, targetPath, listName, failure);
            if (!done)
                error = "cannot write in " + target + " (" + failure.message() + ")" + advice;
        } else {
            error = "cannot create " + target + " (" + (taken ? "a file is in the way" : strerror(renameError)) + ")" +
                    advice;
            done = false;
        }
    }
    std::error_code ignored;
    fs::remove_all(temporary, ignored);
    return done;
}

}  // namespace host
