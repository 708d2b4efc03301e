// Shell services of the host implementation: starting programs and
// documents, and loading bitmap files.
#pragma once

#include "platform/host/api/types.h"

#define SEE_MASK_NOCLOSEPROCESS 0x00000040

typedef struct _SHELLEXECUTEINFOW {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    LPCWSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    union {
        HANDLE hIcon;
        HANDLE hMonitor;
    };
    HANDLE hProcess;
} SHELLEXECUTEINFOW, *LPSHELLEXECUTEINFOW;
typedef SHELLEXECUTEINFOW SHELLEXECUTEINFO;

// kernel/shell.cpp: an executable is started directly, anything else goes to
// the desktop's opener. Never through a shell.
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
#define ShellExecuteEx ShellExecuteExW

// kernel/shell.cpp: the program that ShellExecuteExW would start for the
// file (xdg-open for documents and URLs), without starting it; above 32 when
// there is one, SE_ERR_FNF when the file cannot be found.
#define SE_ERR_FNF 2
HINSTANCE FindExecutableW(LPCWSTR file, LPCWSTR directory, LPWSTR result);

// gdi/dibfile.cpp: a .bmp file as a 32-bit DIB section, or null.
HBITMAP SHLoadDIBitmap(LPCWSTR fileName);
