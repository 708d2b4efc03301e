// The program's own module: GetModuleHandleW, GetModuleFileNameW.
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/host/Reset.h"
#include "platform/host/kernel/module.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

std::optional<std::string>& FileNameOverride()
{
    static std::optional<std::string> path;
    return path;
}

void ForgetFileNameOverride()
{
    FileNameOverride().reset();
}

HMODULE ProgramModule()
{
    static int program;
    return reinterpret_cast<HMODULE>(&program);
}

std::string RunningProgramPath()
{
    return FileNameOverride() ? *FileNameOverride() : ExecutablePath();
}

}  // namespace

std::string ExecutablePath()
{
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<size_t>(length));
    return path;
}

void ReportProgramFolder(const std::string& folder)
{
    const std::string executable = ExecutablePath();
    const size_t slash = executable.rfind('/');
    const std::string name = slash == std::string::npos ? "ostrevia" : executable.substr(slash + 1);
    FileNameOverride() = folder + (!folder.empty() && folder.back() == '/' ? "" : "/") + name;
}

void testing::SetModuleFileName(const std::string& path)
{
    AddResetHook(&ForgetFileNameOverride);
    FileNameOverride() = path;
}

}  // namespace host

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    if (moduleName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return host::ProgramModule();
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size)
{
    if (module && module != host::ProgramModule()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::u16string path = host::ToUtf16(host::RunningProgramPath());
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // As on current Windows: a path that does not fit is cut, terminated,
    // and reported with the buffer's size.
    const size_t copied = std::min<size_t>(path.size(), size - 1);
    path.copy(fileName, copied);
    fileName[copied] = 0;
    if (copied < path.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(copied);
}
