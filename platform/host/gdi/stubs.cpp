// Placeholders until the real implementation lands; each is removed as its
// function is implemented.
#include "platform/win32.h"

#include "platform/host/gdi/surface.h"

namespace host::gdi {
HDC CreateSurfaceDC(Surface*) { return nullptr; }
void DeleteSurfaceDC(HDC) {}
RECT DrawnBounds(HDC) { return {}; }
}  // namespace host::gdi

#include "platform/host/testing.h"
int host::testing::LiveGdiObjects() { return 0; }

HDC CreateCompatibleDC(HDC) { return {}; }
BOOL DeleteDC(HDC) { return {}; }
HBITMAP CreateCompatibleBitmap(HDC, int, int) { return {}; }
HBITMAP CreateDIBSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) { return {}; }
HPEN CreatePen(int, int, COLORREF) { return {}; }
HBRUSH CreateSolidBrush(COLORREF) { return {}; }
HGDIOBJ GetStockObject(int) { return {}; }
HGDIOBJ SelectObject(HDC, HGDIOBJ) { return {}; }
BOOL DeleteObject(HGDIOBJ) { return {}; }
int GetObjectW(HANDLE, int, LPVOID) { return {}; }
BOOL GdiFlush() { return {}; }
BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return {}; }
BOOL StretchBlt(HDC, int, int, int, int, HDC, int, int, int, int, DWORD) { return {}; }
BOOL Rectangle(HDC, int, int, int, int) { return {}; }
BOOL MoveToEx(HDC, int, int, LPPOINT) { return {}; }
BOOL LineTo(HDC, int, int) { return {}; }
COLORREF GetPixel(HDC, int, int) { return {}; }
COLORREF SetPixel(HDC, int, int, COLORREF) { return {}; }
HFONT CreateFontIndirectW(const LOGFONTW*) { return {}; }
BOOL GetTextMetricsW(HDC, LPTEXTMETRICW) { return {}; }
BOOL GetTextExtentExPointW(HDC, LPCWSTR, int, int, LPINT, LPINT, LPSIZE) { return {}; }
BOOL GetTextExtentPoint32W(HDC, LPCWSTR, int, LPSIZE) { return {}; }
COLORREF SetTextColor(HDC, COLORREF) { return {}; }
COLORREF GetTextColor(HDC) { return {}; }
COLORREF SetBkColor(HDC, COLORREF) { return {}; }
int SetBkMode(HDC, int) { return {}; }
int GetBkMode(HDC) { return {}; }
int FillRect(HDC, const RECT*, HBRUSH) { return {}; }
int DrawTextW(HDC, LPCWSTR, int, LPRECT, UINT) { return {}; }
BOOL DrawFrameControl(HDC, LPRECT, UINT, UINT) { return {}; }
DWORD GetSysColor(int) { return {}; }
HBITMAP SHLoadDIBitmap(LPCWSTR) { return {}; }
