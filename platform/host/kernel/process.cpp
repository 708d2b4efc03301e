// CreateProcessW, TerminateProcess, GetExitCodeProcess, GetCurrentProcessId.
//
// A process starts with posix_spawn in a process group of its own, with
// default signal handling and an empty signal mask. Its standard handles are
// those of STARTUPINFOW (STARTF_USESTDHANDLES), /dev/null where a handle is
// missing; stdin is /dev/null unless given. No other descriptor reaches it.
// The command line is split as Windows splits one; without an application
// name its first word is looked up along PATH.
//
// A pidfd of the child is a wake source of the display while the child runs,
// so a wait ends when it does. The child is reaped when its handle closes: at
// once when it has ended, else by a small thread that waits for it.
// TerminateProcess ends the whole group, so what the program started ends
// with it. A child killed by a signal other than TerminateProcess's reports
// 128 + the signal's number as its exit code.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/host/display/WakeSources.h"
#include "platform/host/kernel/KernelObject.h"
#include "platform/host/kernel/error.h"
#include "platform/host/kernel/fakes.h"
#include "platform/host/kernel/shell.h"
#include "platform/host/kernel/unicode.h"

extern char** environ;

namespace host {
namespace {

class Process;

std::vector<Process*>& Processes()
{
    static std::vector<Process*> processes;
    return processes;
}

void TakeEndedChildren();

class Process final : public Waitable {
public:
    Process(pid_t pid, int pidfd) : pid_(pid), pidfd_(pidfd)
    {
        Processes().push_back(this);
        if (pidfd_ >= 0)
            AddWakeSource({pidfd_, &TakeEndedChildren, true});
    }

    ~Process() override
    {
        std::erase(Processes(), this);
        if (pidfd_ >= 0) {
            RemoveWakeSource(pidfd_);
            close(pidfd_);
        }
        if (Ended()) {
            while (waitpid(pid_, nullptr, 0) == -1 && errno == EINTR) {
            }
        } else {
            Reap(pid_);
        }
    }

    bool Signalled() override { return Ended(); }

    // Looks without reaping: the pid stays the group's until the handle
    // closes, so TerminateProcess can never hit a stranger.
    bool Ended()
    {
        if (ended_)
            return true;
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == 0)
            return false;
        ended_ = true;
        if (info.si_code == CLD_EXITED)
            exitCode_ = static_cast<DWORD>(info.si_status);
        else
            exitCode_ = terminatedWith_ ? *terminatedWith_ : 128 + static_cast<DWORD>(info.si_status);
        if (pidfd_ >= 0)
            RemoveWakeSource(pidfd_);
        return true;
    }

    // Kills every process of the group; false when the process itself had
    // ended already.
    bool Terminate(UINT exitCode)
    {
        const bool ended = Ended();
        kill(-pid_, SIGKILL);
        if (ended)
            return false;
        terminatedWith_ = exitCode;
        kill(pid_, SIGKILL);
        return true;
    }

    DWORD ExitCode() { return Ended() ? exitCode_ : STILL_ACTIVE; }

private:
    pid_t pid_;
    int pidfd_;
    bool ended_ = false;
    DWORD exitCode_ = STILL_ACTIVE;
    std::optional<DWORD> terminatedWith_;
};

// What hThread stands for: the program only closes it.
class Thread final : public KernelObject {};

void TakeEndedChildren()
{
    for (Process* process : Processes())
        process->Ended();
}

// The program name as CreateProcessW reads it from a command line: quoted up
// to the next quote, else up to the first blank or tab; then the arguments.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line)
{
    size_t end;
    std::u16string program;
    if (!line.empty() && line[0] == u'"') {
        end = line.find(u'"', 1);
        program = line.substr(1, end == std::u16string_view::npos ? std::u16string_view::npos : end - 1);
        end = end == std::u16string_view::npos ? line.size() : end + 1;
    } else {
        end = std::min(line.find_first_of(u" \t"), line.size());
        program = line.substr(0, end);
    }
    std::vector<std::u16string> words{program};
    for (std::u16string& argument : SplitParameters(line.substr(end)))
        words.push_back(std::move(argument));
    return words;
}

// Where the child's standard descriptor `target` comes from: the handle's
// descriptor, or /dev/null.
void AddStandardHandle(posix_spawn_file_actions_t& actions, HANDLE handle, int target, int nullMode)
{
    const KernelObject* object = handle ? FindKernelObject(handle) : nullptr;
    const int descriptor = object ? object->StandardDescriptor() : -1;
    if (descriptor >= 0)
        posix_spawn_file_actions_adddup2(&actions, descriptor, target);
    else
        posix_spawn_file_actions_addopen(&actions, target, "/dev/null", nullMode, 0);
}

// posix_spawn's error, or 0 with `child` set.
int Spawn(const std::string& program, const std::vector<std::string>& arguments, const STARTUPINFOW* startup,
          const std::string& directory, pid_t& child)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const bool standard = startup && (startup->dwFlags & STARTF_USESTDHANDLES);
    AddStandardHandle(actions, standard ? startup->hStdInput : nullptr, STDIN_FILENO, O_RDONLY);
    if (standard) {
        AddStandardHandle(actions, startup->hStdOutput, STDOUT_FILENO, O_WRONLY);
        AddStandardHandle(actions, startup->hStdError, STDERR_FILENO, O_WRONLY);
    }
    // Whatever a library left inheritable stays with us.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());

    posix_spawnattr_t attributes;
    InitSpawnAttributes(attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int error = posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

}  // namespace
}  // namespace host

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                    DWORD, LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                    LPPROCESS_INFORMATION processInformation)
{
    using namespace host;
    // The program's own environment only: a block of variables is not needed.
    if ((!applicationName && !commandLine) || environment || !processInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<std::u16string> words =
        SplitCommandLine(commandLine ? std::u16string_view(commandLine) : std::u16string_view(applicationName));
    std::optional<std::string> program;
    if (applicationName)
        program = HostPath(applicationName);
    else if (!words[0].empty())
        program = FindExecutable(HostPath(words[0].c_str()));
    if (!program) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    std::vector<std::string> arguments;
    for (const std::u16string& word : words)
        arguments.push_back(ToUtf8(word));

    KernelFakes& fakes = Fakes();
    if (fakes.recordLaunches) {
        fakes.launches.push_back({*program, std::vector<std::string>(arguments.begin() + 1, arguments.end()), false});
        SetLastError(ERROR_ACCESS_DENIED);  // recorded, not started
        return FALSE;
    }
    const std::string directory = currentDirectory ? HostPath(currentDirectory) : std::string();
    pid_t child = 0;
    if (const int error = Spawn(*program, arguments, startupInfo, directory, child)) {
        SetErrorFromErrno(error);
        return FALSE;
    }
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    processInformation->hProcess = AddHandle(std::make_unique<Process>(child, pidfd));
    processInformation->hThread = AddHandle(std::make_unique<Thread>());
    processInformation->dwProcessId = static_cast<DWORD>(child);
    processInformation->dwThreadId = static_cast<DWORD>(child);
    return TRUE;
}

BOOL TerminateProcess(HANDLE process, UINT exitCode)
{
    host::Process* target = host::FindHandle<host::Process>(process);
    if (!target) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!target->Terminate(exitCode)) {
        SetLastError(ERROR_ACCESS_DENIED);  // Windows' answer for a process that has ended
        return FALSE;
    }
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode)
{
    host::Process* target = host::FindHandle<host::Process>(process);
    if (!target || !exitCode) {
        SetLastError(target ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exitCode = target->ExitCode();
    return TRUE;
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(getpid());
}
