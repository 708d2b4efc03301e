#include "app/PanelFileWatcher.h"

#include <algorithm>

#include "app/FileFingerprint.h"
#include "app/Panel.h"
#include "app/PanelList.h"
#include "app/PanelMessages.h"
#include "app/PanelWindowList.h"
#include "app/PanelWindowProc.h"
#include "app/PanelWindows.h"
#include "app/UnicodeFile.h"
#include "config/Diagnostics.h"
#include "config/LoadFindings.h"
#include "config/TextParsing.h"

namespace {

// A save is a burst of changes (truncate, write, rename): the reload waits
// until the folders were quiet this long, but never longer than kLongestDelay
// after the first change.
constexpr DWORD kQuietTime = 100;
constexpr DWORD kLongestDelay = 400;

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

std::basic_string<WCHAR> FolderOf(const WCHAR* path)
{
    const UINT length = FolderLength(path);
    return length > 0 ? std::basic_string<WCHAR>(path, length) : std::basic_string<WCHAR>(TEXT("."));
}

// Unsigned differences of tick counts survive the counter's wrap.
bool HasCome(DWORD tick, DWORD now)
{
    return static_cast<LONG>(now - tick) >= 0;
}

}  // namespace

PanelFileWatcher::PanelFileWatcher(HINSTANCE instance, const WCHAR* commandLine, ULONGLONG listFingerprint)
    : instance_(instance), commandLine_(commandLine ? commandLine : TEXT("")), listFingerprint_(listFingerprint)
{
    PanelListPath(commandLine_.c_str(), listPath_);
}

PanelFileWatcher::~PanelFileWatcher()
{
    for (HANDLE handle : handles_)
        FindCloseChangeNotification(handle);
}

void PanelFileWatcher::Update()
{
    const std::vector<HWND>& windows = PanelWindowList::Windows();
    if (updated_ && windows == windowsSeen_)
        return;
    updated_ = true;
    windowsSeen_ = windows;
    std::vector<Text> wanted{FolderOf(listPath_)};
    for (HWND window : windows) {
        if (const Panel* panel = PanelOfWindow(window))
            wanted.push_back(FolderOf(panel->FilePath()));
    }
    for (size_t i = folders_.size(); i-- > 0;) {
        if (std::find(wanted.begin(), wanted.end(), folders_[i]) == wanted.end()) {
            FindCloseChangeNotification(handles_[i]);
            folders_.erase(folders_.begin() + static_cast<std::ptrdiff_t>(i));
            handles_.erase(handles_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (const Text& folder : wanted) {
        if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end() &&
            std::find(unwatchable_.begin(), unwatchable_.end(), folder) == unwatchable_.end())
            Watch(folder);
    }
}

void PanelFileWatcher::Watch(const Text& folder)
{
    HANDLE handle = FindFirstChangeNotificationW(folder.c_str(), FALSE, kWatchedChanges);
    if (handle == INVALID_HANDLE_VALUE) {
        unwatchable_.push_back(folder);
        DiagnosticPlace place(folder.c_str());
        ReportWarning({TEXT("cannot watch this folder for changes (the system's limit of watches may be reached); "
                            "its files are not reloaded when saved")});
        return;
    }
    folders_.push_back(folder);
    handles_.push_back(handle);
}

DWORD PanelFileWatcher::Timeout() const
{
    if (!pending_)
        return INFINITE;
    const DWORD now = GetTickCount();
    return HasCome(dueAt_, now) ? 0 : dueAt_ - now;
}

void PanelFileWatcher::ScheduleReload()
{
    const DWORD now = GetTickCount();
    if (!pending_)
        firstChange_ = now;
    pending_ = true;
    const DWORD latest = firstChange_ + kLongestDelay;
    dueAt_ = HasCome(latest, now + kQuietTime) ? latest : now + kQuietTime;
}

void PanelFileWatcher::Signalled(size_t index)
{
    FindNextChangeNotification(handles_[index]);
    ScheduleReload();
}

void PanelFileWatcher::RequestFullReload()
{
    fullReload_ = true;
    ScheduleReload();
}

void PanelFileWatcher::ReloadDue()
{
    pending_ = false;
    if (fullReload_ || FileFingerprint(listPath_) != listFingerprint_) {
        fullReload_ = false;
        ReloadAll();
        return;
    }
    if (!ReloadChangedPanels())
        ScheduleReload();
}

bool PanelFileWatcher::ReloadChangedPanels()
{
    bool allDone = true;
    // A copy: the reloads' message boxes may open or close panels.
    const std::vector<HWND> windows = PanelWindowList::Windows();
    for (HWND window : windows) {
        const Panel* panel = PanelOfWindow(window);
        if (!panel || FileFingerprint(panel->FilePath()) == panel->fileFingerprint)
            continue;
        SendMessageW(window, WM_RELOADPANEL, 0, 0);
        panel = PanelOfWindow(window);
        if (panel && panel->animating)
            allDone = false;
    }
    return allDone;
}

void PanelFileWatcher::ReloadAll()
{
    UnicodeFileProblem problem;
    HANDLE list = OpenUnicodeFileQuietly(listPath_, 0, problem);
    if (list == INVALID_HANDLE_VALUE) {
        listFingerprint_ = FileFingerprint(listPath_);
        ReportUnusableSave(listPath_, problem, TEXT("the panels shown stay until the list is saved again"));
        return;
    }
    CloseHandle(list);

    const std::vector<HWND> old = PanelWindowList::Windows();
    {
        LoadFindings reload(LoadFindings::Boxes::Summarised);
        listFingerprint_ = ReadPanelList(instance_, commandLine_.c_str());
    }
    std::vector<HWND> fresh;
    for (HWND window : PanelWindowList::Windows()) {
        if (std::find(old.begin(), old.end(), window) == old.end())
            fresh.push_back(window);
    }
    if (fresh.empty()) {
        DiagnosticPlace place(listPath_);
        ReportWarning({TEXT("no panel of the list could be opened; the panels shown stay")});
        return;
    }
    for (HWND window : old) {
        if (IsWindow(window))
            RemovePanelWindow(window);
    }
    for (HWND window : fresh) {
        if (IsWindow(window)) {
            ShowPanelWindow(window);
            UpdateWindow(window);
        }
    }
}
