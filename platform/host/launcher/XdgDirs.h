// The XDG base directories the program reads: where a user's own settings
// lie ($XDG_CONFIG_HOME, else ~/.config), where an administrator puts the
// system-wide defaults ($XDG_CONFIG_DIRS, else /etc/xdg) and where what can
// be made again is kept ($XDG_CACHE_HOME, else ~/.cache). Paths that are not
// absolute are ignored, as the XDG rules ask.
#pragma once

#include <string>
#include <vector>

namespace host {

class XdgDirs {
public:
    // HOME (or the password database's home), XDG_CONFIG_HOME, XDG_CONFIG_DIRS,
    // XDG_CACHE_HOME.
    static XdgDirs FromEnvironment();
    XdgDirs(std::string home, std::string configHome, std::string configDirs, std::string cacheHome = "");

    // Empty when neither an absolute XDG_CONFIG_HOME nor a home is known; then
    // kNoConfigHome tells the user what to do.
    std::string ConfigHome() const;
    static constexpr char kNoConfigHome[] =
        "neither XDG_CONFIG_HOME nor HOME names a folder; set one to a folder you own";
    // In order of preference.
    std::vector<std::string> ConfigDirs() const;
    // Empty when neither an absolute XDG_CACHE_HOME nor a home is known.
    std::string CacheHome() const;

private:
    std::string Home(const std::string& variable, const char* inHome) const;

    std::string m_home;
    std::string m_configHome;
    std::string m_configDirs;
    std::string m_cacheHome;
};

}  // namespace host
