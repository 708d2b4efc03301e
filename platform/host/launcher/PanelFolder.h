// Where the program's panels are: the folder that the program is told is its
// own (GetModuleFileNameW), against which it resolves the panel list's name.
//
//  - With -c FILE: FILE's folder, and FILE's name becomes the command line.
//  - Otherwise the executable's folder when the list to be read lies there
//    (the named one, or "KalmiSettings.ini"): a build folder, an unpacked
//    portable folder, a folder of one's own with the program in it;
//  - otherwise, when the name names an existing file from the current folder
//    (or is an existing absolute path), that file, read as -c reads it;
//  - otherwise the user's config folder, $XDG_CONFIG_HOME/ostrevia. When that
//    holds no list yet, the first start fills it from the first ostrevia/
//    folder of $XDG_CONFIG_DIRS that has a list (an administrator's default),
//    or else from the installed data folder;
//  - and when there is no config folder to be had, the executable's folder
//    again, so that the program's own messages report the missing list.
#pragma once

#include <string>

#include "platform/host/launcher/XdgDirs.h"

namespace host {

// The panel list that the core reads when its command line is empty.
inline constexpr char kDefaultListName[] = "KalmiSettings.ini";

// -c FILE, relative to `currentFolder` unless absolute: the folder to report
// and the name to pass. A trailing separator is dropped, so that a folder is
// taken as a file name that cannot be opened.
struct ListFile {
    std::string folder;
    std::string name;
};
ListFile SplitListFile(const std::string& file, const std::string& currentFolder);

struct PanelFolder {
    std::string folder;       // empty: the executable's own folder
    std::string commandLine;  // the name to pass on: as given, or the file's name in `folder`
    std::string note;         // what the first start did, for the user
};

// Whether the list that the program reads for `commandLine` (its name as the
// program entry gets it; empty: "KalmiSettings.ini") lies in `folder`, its
// name taken as the program takes it: closing quotes dropped, backslashes as
// separators, a leading separator dropped.
bool HoldsList(const std::string& folder, const std::string& commandLine);

// The path of the list that the program reads for `commandLine` in `folder`,
// its name taken as HoldsList takes it.
std::string ListPathIn(const std::string& folder, const std::string& commandLine);

// Finds the folder as described above for the list that `commandLine` names
// (copying on the first start). False with `error` (one line: which folder,
// what to do) when the config folder cannot be read or written or there is
// nothing to fill it from, `found` then being the executable's folder; or when
// the named list is in neither the executable's folder nor the config folder,
// `found` then being the config folder. Either way the program reports the
// list it cannot read.
bool FindPanelFolder(const std::string& programFolder, const std::string& dataFolder, const XdgDirs& dirs,
                     const std::string& currentFolder, const std::string& commandLine, PanelFolder& found,
                     std::string& error);

}  // namespace host
