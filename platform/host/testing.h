// Hooks for tests: the headless screen and its clock, injected input, the
// message boxes shown, the diagnostics channel, the limit of file watches,
// window geometry, the live GDI object count, simulated system readings and
// recorded program launches.
//
// Host state is process-wide; each test runs in a process of its own (CTest
// starts one per test), and ResetHost() returns everything to start-up state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace host::testing {

// Destroys every window, empties the queues, kills the timers, forgets the
// message boxes, fakes and launches, and makes a headless screen of the given
// size on the virtual clock.
void ResetHost(int screenWidth = 240, int screenHeight = 320);

// The virtual clock. SetTickCount may start it just below the 2^32 wrap.
void SetTickCount(DWORD now);
void AdvanceClock(DWORD milliseconds);

// Runs the message loop (GetMessageW, TranslateMessage, DispatchMessageW)
// until `milliseconds` of virtual time have passed and nothing is pending at
// that moment, or until WM_QUIT is retrieved. Returns true when WM_QUIT was
// retrieved; `exitCode` then receives its wParam.
bool RunFor(DWORD milliseconds, int* exitCode = nullptr);

// Handles everything pending at the current moment without moving the clock.
// Returns true when WM_QUIT was retrieved.
bool RunPending(int* exitCode = nullptr);

// Stylus input in screen pixels, queued as the display would deliver it.
void Press(int x, int y);
void Release(int x, int y);
void Tap(int x, int y);
void DoubleTap(int x, int y);

// Message boxes shown so far, oldest first (headless boxes return IDOK).
struct MessageBoxRecord {
    HWND owner;
    UINT style;
    std::u16string caption;
    std::u16string text;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
void ClearMessageBoxes();

// Lines written to the diagnostics channel (OutputDebugStringW) so far,
// oldest first, in UTF-8 without line ends.
const std::vector<std::string>& DebugOutput();
void ClearDebugOutput();

// Whether MessageBoxes() and DebugOutput() keep everything, as they do from
// ResetHost on; otherwise, as in the program, only the latest 100 of each.
void KeepRecords(bool all);

// Makes FindFirstChangeNotificationW fail, as at the system's limit of
// watches, once `watches` change notifications exist.
void LimitFileWatches(int watches);

// Windows that exist, topmost first, and their screen rectangles.
std::vector<HWND> WindowsInZOrder();
RECT WindowRect(HWND window);
bool IsTopmost(HWND window);

// The headless screen: desktop and visible windows in z-order.
COLORREF ScreenPixel(int x, int y);
bool WriteSnapshot(const char* pngPath);

// Live GDI objects made by the program (stock objects not counted).
int LiveGdiObjects();

// The running program's path as GetModuleFileNameW reports it (UTF-8);
// an empty path makes GetModuleFileNameW fail.
void SetModuleFileName(const std::string& path);

// Simulated readings (also set by the --fake-... options).
void FakeMemory(ULONGLONG availPhys, ULONGLONG totalPhys, ULONGLONG availVirtual, ULONGLONG totalVirtual);
void FakeDisk(ULONGLONG freeBytes, ULONGLONG totalBytes);
void FakeDiskFailure();
// The processors busy `percent` (0 to 100) of every interval of the tick count.
void FakeCpuLoad(int percent);
// No idle time to be had, as without /proc.
void FakeNoIdleTime();
// One Ethernet interface "eth0" (besides "lo") whose octet counters grow by
// these many bytes per second of the tick count.
void FakeNetwork(ULONGLONG receivedPerSecond, ULONGLONG sentPerSecond);
// No interface list at all, as without /proc.
void FakeNoNetwork();
// The interface table read from the tree under `root` (proc/net/dev and
// sys/class/net, laid out as the system's) instead of the system's own.
void ReadSystemFrom(const std::string& root);
void FakeBattery(int percent, bool charging, bool onAC);
// Every sensor reads `celsius` (outside -60 to 200 it reads as absurd).
void FakeTemperature(int celsius);
// The temperature sensors are those under `root` (laid out like /sys) rather
// than the machine's.
void UseSensorFolder(const std::string& root);
void FakeNoBattery();
// The date and time shown start at `secondsSinceEpoch` now and go on with the
// tick count, so that runs on the virtual clock show the same times.
void FakeWallClock(int64_t secondsSinceEpoch);

// Program launches: while recording, ShellExecuteExW records instead of starting.
struct Launch {
    std::string program;                  // as the child would see argv[0] (UTF-8)
    std::vector<std::string> arguments;   // split as Windows splits a command line
    bool throughOpener = false;           // handed to xdg-open rather than started
};
void RecordLaunches(bool on);
const std::vector<Launch>& Launches();

}  // namespace host::testing
