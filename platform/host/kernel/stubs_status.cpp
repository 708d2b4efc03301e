// Placeholders until the real implementation lands; each is removed as its
// function is implemented.
#include "platform/win32.h"

int GetDateFormatW(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int) { return {}; }
int GetTimeFormatW(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int) { return {}; }
BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) { return {}; }
