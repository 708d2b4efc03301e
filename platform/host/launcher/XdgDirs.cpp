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
    return XdgDirs(home, Variable("XDG_CONFIG_HOME"), Variable("XDG_CONFIG_DIRS"));
}

XdgDirs::XdgDirs(std::string home, std::string configHome, std::string configDirs)
    : m_home(std::move(home)), m_configHome(std::move(configHome)), m_configDirs(std::move(configDirs))
{
}

std::string XdgDirs::ConfigHome() const
{
    if (IsAbsolute(m_configHome))
        return m_configHome;
    if (!IsAbsolute(m_home))
        return {};
    return m_home + (m_home.back() == '/' ? ".config" : "/.config");
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
