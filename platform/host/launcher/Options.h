// The host program's command line:
//   ostrevia [OPTION...] [--] [PANEL-LIST]
// Options are listed, with their help lines, in the table in Options.cpp.
// They are taken before and after the list's name, as GNU programs take them;
// "--" ends them. The arguments that are not options make the program's own
// command line, their words joined with single blanks.
// A long option's value may follow it as "--name=VALUE".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace host {

struct Options {
    // Where the panels are shown; Auto picks Wayland, X11 or the virtual
    // screen by what the session offers.
    enum class Backend { Auto, Wayland, X11, Headless };

    bool help = false;
    bool version = false;
    Backend backend = Backend::Auto;
    bool realtime = false;
    bool check = false;     // load the panels, print the findings, exit 0/1
    bool noReload = false;  // watch no files
    bool listSensors = false;
    bool replace = false;   // end the instance that shows the same list
    int screenWidth = 240;
    int screenHeight = 320;
    std::optional<DWORD> runFor;  // headless runs end after 5000 ms when it is not given
    std::string snapshot;
    std::string script;
    std::string config;              // -c FILE, as given
    std::optional<bool> autostart;   // --autostart on|off
    std::u16string commandLine;
    std::string monitor;       // empty: the first monitor
    std::optional<int> scale;  // 1 to 4; absent: from the desktop (X11, Wayland) or 1

    struct Memory {
        ULONGLONG availPhys, totalPhys, availVirtual, totalVirtual;
    };
    struct Disk {
        bool fail;
        ULONGLONG freeBytes, totalBytes;
    };
    struct Battery {
        bool none;
        int percent;
        bool charging, onAC;
    };
    std::optional<Memory> fakeMemory;
    std::optional<Disk> fakeDisk;
    std::optional<Battery> fakeBattery;
    std::optional<int> fakeCpu;  // percent busy
    struct Network {
        ULONGLONG received, sent;  // bytes per second
    };
    std::optional<Network> fakeNetwork;
    std::optional<int> fakeTemperature;  // degrees Celsius
};

// False with `error` telling what is wrong with which argument.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The one-line synopsis shown after a usage error.
std::string UsageLine();

// --help: the synopsis, one line per option, and where panel lists are found.
std::string HelpText();

// Hands the --fake-... readings to the system status.
void ApplyFakes(const Options& options);

}  // namespace host
