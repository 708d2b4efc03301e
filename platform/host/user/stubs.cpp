// Placeholders until the real implementation lands; each is removed as its
// function is implemented.
#include "platform/win32.h"

#include "platform/host/testing.h"
namespace host::testing {
void ResetHost(int, int) {}
void SetTickCount(DWORD) {}
void AdvanceClock(DWORD) {}
bool RunFor(DWORD, int*) { return false; }
bool RunPending(int*) { return false; }
void Press(int, int) {}
void Release(int, int) {}
void Tap(int, int) {}
void DoubleTap(int, int) {}
const std::vector<MessageBoxRecord>& MessageBoxes() { static std::vector<MessageBoxRecord> none; return none; }
void ClearMessageBoxes() {}
std::vector<HWND> WindowsInZOrder() { return {}; }
RECT WindowRect(HWND) { return {}; }
bool IsTopmost(HWND) { return false; }
COLORREF ScreenPixel(int, int) { return 0; }
bool WriteSnapshot(const char*) { return false; }
void SetModuleFileName(const std::string&) {}
}  // namespace host::testing

ATOM RegisterClassW(const WNDCLASSW*) { return {}; }
HCURSOR LoadCursorW(HINSTANCE, LPCWSTR) { return {}; }
HWND CreateWindowExW(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID) { return {}; }
BOOL DestroyWindow(HWND) { return {}; }
BOOL IsWindow(HWND) { return {}; }
BOOL ShowWindow(HWND, int) { return {}; }
BOOL UpdateWindow(HWND) { return {}; }
BOOL IsWindowVisible(HWND) { return {}; }
BOOL SetForegroundWindow(HWND) { return {}; }
BOOL SetWindowPos(HWND, HWND, int, int, int, int, UINT) { return {}; }
BOOL GetWindowRect(HWND, LPRECT) { return {}; }
BOOL GetClientRect(HWND, LPRECT) { return {}; }
LRESULT DefWindowProcW(HWND, UINT, WPARAM, LPARAM) { return {}; }
LONG GetWindowLongW(HWND, int) { return {}; }
LONG SetWindowLongW(HWND, int, LONG) { return {}; }
LONG_PTR GetWindowLongPtrW(HWND, int) { return {}; }
LONG_PTR SetWindowLongPtrW(HWND, int, LONG_PTR) { return {}; }
BOOL GetMessageW(LPMSG, HWND, UINT, UINT) { return {}; }
BOOL PeekMessageW(LPMSG, HWND, UINT, UINT, UINT) { return {}; }
BOOL TranslateMessage(const MSG*) { return {}; }
LRESULT DispatchMessageW(const MSG*) { return {}; }
BOOL PostMessageW(HWND, UINT, WPARAM, LPARAM) { return {}; }
LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) { return {}; }
void PostQuitMessage(int) {}
UINT_PTR SetTimer(HWND, UINT_PTR, UINT, TIMERPROC) { return {}; }
BOOL KillTimer(HWND, UINT_PTR) { return {}; }
HWND SetCapture(HWND) { return {}; }
BOOL ReleaseCapture() { return {}; }
HWND GetCapture() { return {}; }
HDC BeginPaint(HWND, LPPAINTSTRUCT) { return {}; }
BOOL EndPaint(HWND, const PAINTSTRUCT*) { return {}; }
HDC GetDC(HWND) { return {}; }
HDC GetWindowDC(HWND) { return {}; }
int ReleaseDC(HWND, HDC) { return {}; }
BOOL InvalidateRect(HWND, const RECT*, BOOL) { return {}; }
BOOL ValidateRect(HWND, const RECT*) { return {}; }
int GetSystemMetrics(int) { return {}; }
BOOL SetRect(LPRECT, int, int, int, int) { return {}; }
BOOL InflateRect(LPRECT, int, int) { return {}; }
BOOL OffsetRect(LPRECT, int, int) { return {}; }
BOOL PtInRect(const RECT*, POINT) { return {}; }
BOOL IntersectRect(LPRECT, const RECT*, const RECT*) { return {}; }
BOOL UnionRect(LPRECT, const RECT*, const RECT*) { return {}; }
BOOL IsRectEmpty(const RECT*) { return {}; }
