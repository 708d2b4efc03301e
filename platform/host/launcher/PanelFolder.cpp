#include "platform/host/launcher/PanelFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/host/launcher/FirstStartCopy.h"

namespace host {
namespace {

namespace fs = std::filesystem;

bool HoldsList(const std::string& folder)
{
    struct stat status {};
    return stat((fs::path(folder) / kDefaultListName).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Where the first start takes the panels from; empty when nowhere.
std::string FirstStartSource(const std::string& dataFolder, const XdgDirs& dirs)
{
    for (const std::string& dir : dirs.ConfigDirs()) {
        const std::string candidate = (fs::path(dir) / "ostrevia").string();
        if (HoldsList(candidate))
            return candidate;
    }
    return HoldsList(dataFolder) ? dataFolder : std::string();
}

}  // namespace

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

bool FindPanelFolder(const std::string& programFolder, const std::string& dataFolder, const XdgDirs& dirs,
                     PanelFolder& found, std::string& error)
{
    found = {};
    if (HoldsList(programFolder))
        return true;
    const std::string configHome = dirs.ConfigHome();
    if (configHome.empty()) {
        error = XdgDirs::kNoConfigHome;
        return false;
    }
    found.folder = (fs::path(configHome) / "ostrevia").string();
    struct stat status {};
    const std::string list = (fs::path(found.folder) / kDefaultListName).string();
    if (stat(list.c_str(), &status) == 0)
        return true;
    if (errno != ENOENT && errno != ENOTDIR) {
        error = "cannot read " + found.folder + " (" + strerror(errno) +
                "); make it readable or set XDG_CONFIG_HOME to a folder you own";
        return false;
    }
    const std::string source = FirstStartSource(dataFolder, dirs);
    if (source.empty()) {
        error = "no panels to start with: " + dataFolder + " holds no " + kDefaultListName +
                "; reinstall ostrevia or name a panel list with -c";
        return false;
    }
    if (!CopyPanelsInto(source, found.folder, kDefaultListName, error))
        return false;
    found.note = "copied the panels from " + source + " to " + found.folder + "; edit them there";
    return true;
}

}  // namespace host
