// The program's main on Linux: reads the host's options, sets up the display
// and hands the rest of the command line to the program entry, whose result
// is the exit code. Bad options exit with 2.
//
// --check runs the same entry on a quiet virtual screen that ends the run as
// soon as the program first waits: every panel is loaded, nothing is shown,
// no timer fires, no program is started and no message box waits. The
// diagnostics channel is collected and printed as findings.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/host/CheckReport.h"
#include "platform/host/Options.h"
#include "platform/host/display/DisplayHeadless.h"
#include "platform/host/display/DisplayX11.h"
#include "platform/host/display/Script.h"
#include "platform/host/display/X11Connection.h"
#include "platform/host/kernel/change.h"
#include "platform/host/kernel/debug.h"
#include "platform/host/kernel/hangup.h"
#include "platform/host/testing.h"
#include "platform/win32.h"

namespace {

const char kUsage[] =
    "usage: ostrevia [--headless] [--screen WxH] [--run-for MS] [--snapshot FILE.png]\n"
    "                [--script FILE] [--realtime] [--fake-memory A/T[/AV/TV]]\n"
    "                [--fake-disk FREE/TOTAL|fail] [--fake-battery P[,charging][,ac]|none]\n"
    "                [--check] [--no-reload] [--] [PANEL-LIST]\n"
    "  --check      load every panel as a start would, show nothing, print what is\n"
    "               wrong with file and line; exit 1 when there are errors\n"
    "  --no-reload  do not reload panels whose files are saved while shown\n";

bool ReadScript(const std::string& path, std::vector<host::ScriptAction>& actions)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        fprintf(stderr, "ostrevia: cannot read the script %s\n", path.c_str());
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string error;
    if (!host::ParseScript(text.str(), actions, error)) {
        fprintf(stderr, "ostrevia: script %s, %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

constexpr DWORD kHeadlessRunTime = 5000;

// X11 when DISPLAY is set and --headless is not given; headless otherwise.
// Null (after saying why) when the X display cannot be used.
std::unique_ptr<host::Display> ChooseDisplay(const host::Options& options,
                                             const std::vector<host::ScriptAction>& actions)
{
    std::unique_ptr<host::Display> chosen;
    const char* display = getenv("DISPLAY");
    if (!options.headless && display && *display) {
        std::string error;
        chosen = host::DisplayX11::Open(error);
        if (!chosen) {
            fprintf(stderr, "ostrevia: %s\n", error.c_str());
            return nullptr;
        }
        if (options.runFor)
            chosen->EndRunAfter(*options.runFor);
    } else {
        const auto clock =
            options.realtime ? host::DisplayHeadless::Clock::Real : host::DisplayHeadless::Clock::Virtual;
        auto headless = std::make_unique<host::DisplayHeadless>(options.screenWidth, options.screenHeight, clock);
        headless->Schedule(actions);
        chosen = std::move(headless);
        chosen->EndRunAfter(options.runFor.value_or(kHeadlessRunTime));
    }
    if (!options.snapshot.empty())
        chosen->SnapshotAtEnd(options.snapshot);
    return chosen;
}

// The screen that the panels are checked against: the X screen when there
// is one, the headless one otherwise.
SIZE CheckedScreen(const host::Options& options)
{
    const char* display = getenv("DISPLAY");
    std::string error;
    if (!options.headless && display && *display) {
        if (const auto connection = host::X11Connection::Open(error))
            return {connection->Width(), connection->Height()};
    }
    return {options.screenWidth, options.screenHeight};
}

int RunCheck(const host::Options& options)
{
    host::DisableFileWatching();
    host::testing::RecordLaunches(true);
    const SIZE screen = CheckedScreen(options);
    auto display = std::make_unique<host::DisplayHeadless>(screen.cx, screen.cy, host::DisplayHeadless::Clock::Virtual);
    display->QuietMessageBoxes();
    display->EndRunAfter(0);
    host::InstallDisplay(std::move(display));

    std::vector<std::string> lines;
    host::CollectDebugOutput(&lines);
    std::u16string commandLine = options.commandLine;
    wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);
    host::CollectDebugOutput(nullptr);
    return host::WriteCheckReport(lines, stdout).errors > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    host::Options options;
    std::string error;
    if (!host::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        fprintf(stderr, "ostrevia: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    std::vector<host::ScriptAction> actions;
    if (!options.script.empty() && !ReadScript(options.script, actions))
        return 2;
    host::ApplyFakes(options);
    if (options.check)
        return RunCheck(options);
    if (options.noReload)
        host::DisableFileWatching();
    host::CatchHangup();
    std::unique_ptr<host::Display> display = ChooseDisplay(options, actions);
    if (!display)
        return 2;
    host::InstallDisplay(std::move(display));

    std::u16string commandLine = options.commandLine;
    const int result = wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);
    // A program that ended without a message loop still gets its snapshot.
    host::TheDisplay().RunEnding();
    return result;
}
