// ShellExecuteExW: an executable file is started directly, with its
// parameters split as Windows splits a command line; anything else
// (documents, folders, URLs) goes to the desktop's opener, xdg-open. Never
// through a shell; "~" alone or before a separator is the user's home folder,
// as a shell user writes it.
//
// Children start in a session of their own with stdin on /dev/null, default
// signal handling and an empty signal mask. Each is reaped by a small thread
// that waits for that one process, so no zombies stay behind and nobody
// else's waitpid is disturbed. With SEE_MASK_NOCLOSEPROCESS, hProcess is a
// handle for CloseHandle; it cannot be waited on. Recorded launches start no
// process and leave it null.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/error.h"
#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/shell.h"
#include "platform/host/kernel/unicode.h"
#include "platform/win32.h"

extern char** environ;

namespace host {

std::vector<std::u16string> SplitParameters(std::u16string_view text)
{
    std::vector<std::u16string> arguments;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
        if (i == text.size())
            return arguments;
        std::u16string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || (text[i] != u' ' && text[i] != u'\t'))) {
            if (text[i] == u'\\') {
                size_t backslashes = 0;
                while (i < text.size() && text[i] == u'\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < text.size() && text[i] == u'"') {
                    argument.append(backslashes / 2, u'\\');
                    if (backslashes % 2) {
                        argument += u'"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, u'\\');
                }
            } else if (text[i] == u'"') {
                ++i;
                if (quoted && i < text.size() && text[i] == u'"') {
                    argument += u'"';
                    ++i;
                }
                quoted = !quoted;
            } else {
                argument += text[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

namespace {

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> FindExecutable(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? std::optional(name) : std::nullopt;
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

void InitSpawnAttributes(posix_spawnattr_t& attributes, short flags)
{
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, static_cast<short>(flags | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
}

void Reap(pid_t child)
{
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) == -1 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace host

namespace {

using host::FindExecutable;
using host::Reap;
using host::SplitParameters;

// "http://...", "mailto:..." and the like; "C:" is a drive, not a scheme.
bool IsUrl(std::u16string_view file)
{
    const auto letter = [](char16_t c) { return (c | 0x20) >= u'a' && (c | 0x20) <= u'z'; };
    const auto schemeCharacter = [&](char16_t c) {
        return letter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    };
    if (file.empty() || !letter(file[0]))
        return false;
    size_t i = 1;
    while (i < file.size() && schemeCharacter(file[i]))
        ++i;
    return i >= 2 && i < file.size() && file[i] == u':';
}

// What hProcess stands for. The program only closes it.
class StartedProcess final : public host::KernelObject {};

// The results that ShellExecuteEx leaves in hInstApp: above 32 is success.
constexpr INT_PTR kLaunched = 33;
constexpr INT_PTR kFileNotFound = 2;    // SE_ERR_FNF
constexpr INT_PTR kCannotStart = 31;    // SE_ERR_NOASSOC

// Starts the program; on failure the last error says why.
bool Spawn(const std::vector<std::string>& arguments, bool alongPath, const std::string& directory)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    posix_spawnattr_t attributes;
    host::InitSpawnAttributes(attributes, POSIX_SPAWN_SETSID);

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int error = alongPath ? posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ)
                                : posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        host::SetErrorFromErrno(error);
        return false;
    }
    Reap(child);
    return true;
}

enum class Outcome { Failed, Recorded, Started };

Outcome Launch(const host::testing::Launch& launch, const std::string& directory)
{
    host::KernelFakes& fakes = host::Fakes();
    if (fakes.recordLaunches) {
        fakes.launches.push_back(launch);
        return Outcome::Recorded;
    }
    std::vector<std::string> argv{launch.program};
    argv.insert(argv.end(), launch.arguments.begin(), launch.arguments.end());
    return Spawn(argv, launch.throughOpener, directory) ? Outcome::Started : Outcome::Failed;
}

// What opens `file`: the program itself, or the opener with the file or URL;
// nothing when the file does not exist. Parameters are not filled in.
std::optional<host::testing::Launch> Resolve(LPCWSTR file)
{
    if (IsUrl(file))
        return host::testing::Launch{"xdg-open", {host::ToUtf8(file)}, true};
    std::string path = host::HostPath(file);
    if (const char* home = getenv("HOME"); home && *home == '/' && (path == "~" || path.rfind("~/", 0) == 0))
        path = home + path.substr(1);
    if (const auto program = FindExecutable(path))
        return host::testing::Launch{*program, {}, false};
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return host::testing::Launch{"xdg-open", {path}, true};
}

BOOL Fail(SHELLEXECUTEINFOW* info, INT_PTR code, DWORD error)
{
    info->hInstApp = reinterpret_cast<HINSTANCE>(code);
    SetLastError(error);
    return FALSE;
}

}  // namespace

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info)
{
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW)) {
        SetLastError(ERROR_ACCESS_DENIED);  // what Windows answers to a record of another layout
        return FALSE;
    }
    info->hProcess = nullptr;
    if (info->lpVerb && strcasecmp(host::ToUtf8(info->lpVerb).c_str(), "open") != 0)
        return Fail(info, kCannotStart, ERROR_INVALID_PARAMETER);
    if (!info->lpFile || !info->lpFile[0])
        return Fail(info, kFileNotFound, ERROR_FILE_NOT_FOUND);

    const std::string directory = info->lpDirectory ? host::HostPath(info->lpDirectory) : std::string();
    std::optional<host::testing::Launch> launch = Resolve(info->lpFile);
    if (!launch)
        return Fail(info, kFileNotFound, ERROR_FILE_NOT_FOUND);
    if (!launch->throughOpener) {
        for (const std::u16string& argument : SplitParameters(info->lpParameters ? info->lpParameters : u""))
            launch->arguments.push_back(host::ToUtf8(argument));
    }
    const Outcome outcome = Launch(*launch, directory);
    if (outcome == Outcome::Failed)
        return Fail(info, kCannotStart, GetLastError());  // the reason Spawn gave
    if (outcome == Outcome::Started && (info->fMask & SEE_MASK_NOCLOSEPROCESS))
        info->hProcess = host::AddHandle(std::make_unique<StartedProcess>());
    info->hInstApp = reinterpret_cast<HINSTANCE>(kLaunched);
    return TRUE;
}

HINSTANCE FindExecutableW(LPCWSTR file, LPCWSTR, LPWSTR result)
{
    if (result)
        result[0] = 0;
    if (!file || !file[0] || !result) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return reinterpret_cast<HINSTANCE>(kFileNotFound);
    }
    const std::optional<host::testing::Launch> launch = Resolve(file);
    if (!launch) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return reinterpret_cast<HINSTANCE>(kFileNotFound);
    }
    // The result buffer holds MAX_PATH characters.
    const std::u16string program = host::ToUtf16(launch->program).substr(0, 259);
    std::copy(program.begin(), program.end(), result);
    result[program.size()] = 0;
    return reinterpret_cast<HINSTANCE>(kLaunched);
}
