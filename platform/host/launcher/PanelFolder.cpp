#include "platform/host/launcher/PanelFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/host/launcher/FirstStartCopy.h"

namespace host {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool HoldsDefaultList(const std::string& folder)
{
    return IsFile(fs::path(folder) / kDefaultListName);
}

// Where the first start takes the panels from; empty when nowhere.
std::string FirstStartSource(const std::string& dataFolder, const XdgDirs& dirs)
{
    for (const std::string& dir : dirs.ConfigDirs()) {
        const std::string candidate = (fs::path(dir) / "ostrevia").string();
        if (HoldsDefaultList(candidate))
            return candidate;
    }
    return HoldsDefaultList(dataFolder) ? dataFolder : std::string();
}

}  // namespace

std::string ListPathIn(const std::string& folder, const std::string& commandLine)
{
    std::string name = commandLine.empty() ? kDefaultListName : commandLine;
    while (name.size() > 1 && name.back() == '"')
        name.pop_back();
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    if (name.front() == '/')
        name.erase(0, 1);
    return name.empty() ? std::string() : (fs::path(folder) / name).string();
}

bool HoldsList(const std::string& folder, const std::string& commandLine)
{
    const std::string path = ListPathIn(folder, commandLine);
    return !path.empty() && IsFile(path);
}

ListFile SplitListFile(const std::string& file, const std::string& currentFolder)
{
    fs::path path = fs::path(currentFolder) / file;  // an absolute FILE stays as it is
    path = path.lexically_normal();
    while (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    if (!path.has_filename())
        return {path.string(), "."};
    return {path.parent_path().string(), path.filename().string()};
}

namespace {

// The config folder, filled on the first start; false with `error` when it
// cannot be had.
bool FindConfigFolder(const std::string& dataFolder, const XdgDirs& dirs, PanelFolder& found, std::string& error)
{
    const std::string configHome = dirs.ConfigHome();
    if (configHome.empty()) {
        error = XdgDirs::kNoConfigHome;
        return false;
    }
    const std::string folder = (fs::path(configHome) / "ostrevia").string();
    struct stat status {};
    const std::string list = (fs::path(folder) / kDefaultListName).string();
    if (stat(list.c_str(), &status) == 0) {
        found.folder = folder;
        return true;
    }
    if (errno != ENOENT && errno != ENOTDIR) {
        error = "cannot read " + folder + " (" + strerror(errno) +
                "); make it readable or set XDG_CONFIG_HOME to a folder you own";
        return false;
    }
    const std::string source = FirstStartSource(dataFolder, dirs);
    if (source.empty()) {
        error = "no panels to start with: " + dataFolder + " holds no " + kDefaultListName +
                "; reinstall ostrevia or name a panel list with -c";
        return false;
    }
    if (!CopyPanelsInto(source, folder, kDefaultListName, error))
        return false;
    found.folder = folder;
    found.note = "copied the panels from " + source + " to " + folder + "; edit them there";
    return true;
}

}  // namespace

bool FindPanelFolder(const std::string& programFolder, const std::string& dataFolder, const XdgDirs& dirs,
                     const std::string& currentFolder, const std::string& commandLine, PanelFolder& found,
                     std::string& error)
{
    found = {};
    found.commandLine = commandLine;
    if (HoldsList(programFolder, commandLine))
        return true;
    if (!commandLine.empty()) {
        const ListFile file = SplitListFile(commandLine, currentFolder);
        if (IsFile(fs::path(file.folder) / file.name)) {
            found.folder = file.folder;
            found.commandLine = file.name;
            return true;
        }
    }
    if (!FindConfigFolder(dataFolder, dirs, found, error))
        return false;
    if (HoldsList(found.folder, commandLine))
        return true;
    error = "no list " + commandLine + " in " + programFolder + " or " + found.folder + "; give its path with -c";
    return false;
}

}  // namespace host
