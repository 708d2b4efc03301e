// The open panel windows, in the order in which they were made: first the
// panels of the list file, then those opened later by a hand-over. The only
// process-wide state of the program; touched from the GUI thread alone.
#pragma once

#include <vector>

#include "platform/win32.h"

class PanelWindowList {
public:
    static void Append(HWND window);
    // Removes the first element equal to `window`; nothing when it is absent.
    static void Remove(HWND window);
    static bool IsEmpty();
    static const std::vector<HWND>& Windows();
    static void Clear();

private:
    static std::vector<HWND>& List();
};
