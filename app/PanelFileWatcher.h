// Live reload: watches the panel list and the files of the shown panels and
// brings the panels up to date when one of them is saved. A panel whose file
// changed is replaced in place (WM_RELOADPANEL); a changed list, or a request
// to read everything again, replaces every panel by those of the list.
//
// Folders are watched with FindFirstChangeNotificationW, which tells only
// that something in a folder changed: whether a file did is decided by its
// FileFingerprint. Changes that come in a burst are taken together once the
// folders have been quiet for a moment (at most half a second after the
// first). A folder that cannot be watched is reported once to the
// diagnostics channel; the program goes on without reloading from it.
#pragma once

#include <string>
#include <vector>

#include "config/Paths.h"
#include "platform/win32.h"

class PanelFileWatcher {
public:
    // The list is the one that `commandLine` names, as at start-up, where it
    // was read with the FileFingerprint `listFingerprint`.
    PanelFileWatcher(HINSTANCE instance, const WCHAR* commandLine, ULONGLONG listFingerprint);
    ~PanelFileWatcher();
    PanelFileWatcher(const PanelFileWatcher&) = delete;
    PanelFileWatcher& operator=(const PanelFileWatcher&) = delete;

    // Watches the folders of the list and of the panels shown now.
    void Update();
    // What to wait on: the notification handles, and the time in ms until
    // a reload is due (INFINITE when none is pending).
    const std::vector<HANDLE>& Handles() const { return handles_; }
    DWORD Timeout() const;

    // The handle at `index` was signalled: rearms it, a reload becomes due.
    void Signalled(size_t index);
    // Everything is to be read again, as for a changed list.
    void RequestFullReload();
    // The time from Timeout() has come: reloads what changed.
    void ReloadDue();

private:
    using Text = std::basic_string<WCHAR>;

    void ScheduleReload();
    void Watch(const Text& folder);
    void ReloadAll();
    // False when a panel could not be reloaded because it is animating.
    bool ReloadChangedPanels();

    HINSTANCE instance_;
    Text commandLine_;
    WCHAR listPath_[kMaxPath];
    ULONGLONG listFingerprint_;
    std::vector<HWND> windowsSeen_;
    bool updated_ = false;
    std::vector<Text> folders_;      // watched, parallel to handles_
    std::vector<HANDLE> handles_;
    std::vector<Text> unwatchable_;  // reported once, not tried again
    bool pending_ = false;
    bool fullReload_ = false;
    DWORD firstChange_ = 0;
    DWORD dueAt_ = 0;
};
