// The host program's command line:
//   ostrevia [--headless] [--screen WxH] [--run-for MS] [--snapshot FILE.png]
//            [--script FILE] [--realtime] [--fake-memory A/T[/AV/TV]]
//            [--fake-disk FREE/TOTAL|fail] [--fake-battery P[,charging][,ac]|none]
//            [--check] [--no-reload] [--] [PROGRAM ARGUMENTS...]
// The first argument that is not an option (or everything after "--") starts
// the program's own command line; its words are joined with single blanks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace host {

struct Options {
    bool headless = false;
    bool realtime = false;
    bool check = false;     // load the panels, print the findings, exit 0/1
    bool noReload = false;  // watch no files
    int screenWidth = 240;
    int screenHeight = 320;
    std::optional<DWORD> runFor;  // headless runs end after 5000 ms when it is not given
    std::string snapshot;
    std::string script;
    std::u16string commandLine;

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
};

// False with `error` telling what is wrong with which argument.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// Hands the --fake-... readings to the system status.
void ApplyFakes(const Options& options);

}  // namespace host
