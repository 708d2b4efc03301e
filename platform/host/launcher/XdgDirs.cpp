#include "platform/host/launcher/XdgDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace host {
namespace {

std::string Variable(const char* name)
{
    const char* value = getenv(name);
    return value ? value : "";
}

bool IsAbsolute(std::string_view path)
{
    return !path.empty() && path[0] == '/';
}

}  // namespace

XdgDirs XdgDirs::FromEnvironment()
{
    std::string home = Variable("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return XdgDirs(home, Variable("XDG_CONFIG_HOME"), Variable("XDG_CONFIG_DIRS"), Variable("XDG_CACHE_HOME"));
}

XdgDirs::XdgDirs(std::string home, std::string configHome, std::string configDirs, std::string cacheHome)
    : m_home(std::move(home)),
      m_configHome(std::move(configHome)),
      m_configDirs(std::move(configDirs)),
      m_cacheHome(std::move(cacheHome))
{
}

// `variable` when it is absolute, else `inHome` in the home folder.
std::string XdgDirs::Home(const std::string& variable, const char* inHome) const
{
    if (IsAbsolute(variable))
        return variable;
    if (!IsAbsolute(m_home))
        return {};
    return m_home + (m_home.back() == '/' ? "" : "/") + inHome;
}

std::string XdgDirs::ConfigHome() const
{
    return Home(m_configHome, ".config");
}

std::string XdgDirs::CacheHome() const
{
    return Home(m_cacheHome, ".cache");
}

std::vector<std::string> XdgDirs::ConfigDirs() const
{
    std::vector<std::string> dirs;
    std::string_view rest = m_configDirs;
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        if (IsAbsolute(dir))
            dirs.emplace_back(dir);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    if (dirs.empty())
        dirs.emplace_back("/etc/xdg");
    return dirs;
}

}  // namespace host
