// Panels for the benchmarks: the overlay panel of bench/panels, and lists of
// generated panels of ten gauges each, opened on a fresh headless host.
#pragma once

#include <string>

namespace bench {

// A fresh headless host (240 x 320, virtual clock) whose program folder is
// `folder`, with every panel of the list `listName` in that folder opened
// and shown. Returns the number of panel windows.
int OpenPanels(const std::string& folder, const std::u16string& listName);

// A folder (made once per process) holding "Panels<N>.ini", a list of
// `panels` panel files of ten gauges each; returns the folder, ending in "/".
std::string GaugePanelFolder(int panels);

// The folder of the overlay panel, "OverlayList.ini", ending in "/".
std::string OverlayFolder();

// Destroys every panel window.
void ClosePanels();

}  // namespace bench
