#include "platform/host/launcher/Autostart.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace host {
namespace {

namespace fs = std::filesystem;

// One argument of an Exec line: quoted when it holds anything but plain
// characters, with ", `, $ and \ escaped inside the quotes; % doubled. Then
// every \ is doubled again, as in any string value of a desktop entry.
std::string ExecArgument(const std::string& argument)
{
    const bool plain = !argument.empty() && argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`=%") == std::string::npos;
    std::string quoted = plain ? "" : "\"";
    for (char c : argument) {
        if (!plain && (c == '"' || c == '`' || c == '$' || c == '\\'))
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    if (!plain)
        quoted += '"';
    std::string value;
    for (char c : quoted)
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return value;
}

}  // namespace

std::string AutostartEntry(const std::string& program, const std::string& list)
{
    std::string exec = ExecArgument(program);
    if (!list.empty())
        exec += " -c " + ExecArgument(list);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Ostrevia\n"
           "Comment=Panels with gauges, date, time and buttons above the desktop\n"
           "Exec=" + exec + "\n"
           "Icon=ostrevia\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool SetAutostart(bool on, const std::string& autostartFolder, const std::string& program, const std::string& list,
                  std::string& message, std::string& error)
{
    const fs::path entry = fs::path(autostartFolder) / "ostrevia.desktop";
    std::error_code failure;
    if (!on) {
        const bool removed = fs::remove(entry, failure);
        if (failure) {
            error = "cannot remove " + entry.string() + " (" + failure.message() + ")";
            return false;
        }
        message = removed ? "removed " + entry.string() + "; ostrevia no longer starts at login"
                          : "ostrevia did not start at login (" + entry.string() + " does not exist)";
        return true;
    }
    fs::create_directories(autostartFolder, failure);
    // Written beside the entry and renamed over it, so a reader never sees half of it.
    const fs::path written = fs::path(autostartFolder) / ".ostrevia.desktop.new";
    if (!failure) {
        std::ofstream file(written, std::ios::binary | std::ios::trunc);
        file << AutostartEntry(program, list);
        file.close();
        if (!file)
            failure.assign(errno ? errno : EIO, std::generic_category());
    }
    if (!failure)
        fs::rename(written, entry, failure);
    if (failure) {
        std::error_code ignored;
        fs::remove(written, ignored);
        error = "cannot write " + entry.string() + " (" + failure.message() + "); make " + autostartFolder +
                " writable";
        return false;
    }
    message = "wrote " + entry.string() + "; ostrevia starts at login" + (list.empty() ? "" : " with " + list);
    return true;
}

}  // namespace host
