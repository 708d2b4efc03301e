// Placeholders until the real implementation lands; each is removed as its
// function is implemented.
#include "platform/win32.h"

#include "platform/host/testing.h"
namespace host::testing {
void FakeMemory(ULONGLONG, ULONGLONG, ULONGLONG, ULONGLONG) {}
void FakeDisk(ULONGLONG, ULONGLONG) {}
void FakeDiskFailure() {}
void FakeBattery(int, bool, bool) {}
void FakeNoBattery() {}
void RecordLaunches(bool) {}
const std::vector<Launch>& Launches() { static std::vector<Launch> none; return none; }
}  // namespace host::testing

HMODULE LoadLibraryW(LPCWSTR) { return {}; }
FARPROC GetProcAddressW(HMODULE, LPCWSTR) { return {}; }
BOOL FreeLibrary(HMODULE) { return {}; }
void GlobalMemoryStatus(LPMEMORYSTATUS) {}
BOOL GetDiskFreeSpaceExW(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) { return {}; }
int GetDateFormatW(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int) { return {}; }
int GetTimeFormatW(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int) { return {}; }
int wsprintfW(LPWSTR, LPCWSTR, ...) { return {}; }
int _snwprintf(WCHAR*, size_t, const WCHAR*, ...) { return {}; }
BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) { return {}; }
