// Placeholders until the real implementation lands; each is removed as its
// function is implemented.
#include "platform/win32.h"

HANDLE CreateFileW(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) { return {}; }
BOOL ReadFile(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) { return {}; }
BOOL WriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) { return {}; }
DWORD SetFilePointer(HANDLE, LONG, PLONG, DWORD) { return {}; }
DWORD GetFileSize(HANDLE, LPDWORD) { return {}; }
BOOL CloseHandle(HANDLE) { return {}; }
BOOL DeleteFileW(LPCWSTR) { return {}; }
DWORD GetLastError() { return {}; }
HMODULE GetModuleHandleW(LPCWSTR) { return {}; }
DWORD GetModuleFileNameW(HMODULE, LPWSTR, DWORD) { return {}; }
DWORD GetTickCount() { return {}; }
void Sleep(DWORD) {}
int MessageBoxW(HWND, LPCWSTR, LPCWSTR, UINT) { return {}; }
