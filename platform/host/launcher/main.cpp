// The program's main on Linux: reads the host's options, finds the panels,
// sets up the display and hands the rest of the command line to the program
// entry, whose result is the exit code. Bad options exit with 2, a display
// that cannot be used with 1.
//
// --check runs the same entry on a quiet virtual screen that ends the run as
// soon as the program first waits: every panel is loaded, nothing is shown,
// no timer fires, no program is started and no message box waits. The
// diagnostics channel is collected and printed as findings.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/Version.h"
#include "platform/host/display/headless/DisplayHeadless.h"
#include "platform/host/display/headless/Script.h"
#include "platform/host/display/wayland/DisplayWayland.h"
#include "platform/host/display/x11/DisplayX11.h"
#include "platform/host/gdi/font.h"
#include "platform/host/kernel/change.h"
#include "platform/host/kernel/debug.h"
#include "platform/host/kernel/file.h"
#include "platform/host/kernel/hangup.h"
#include "platform/host/kernel/module.h"
#include "platform/host/kernel/sensors.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/launcher/Autostart.h"
#include "platform/host/launcher/CheckReport.h"
#include "platform/host/launcher/InstanceLock.h"
#include "platform/host/launcher/Options.h"
#include "platform/host/launcher/PanelFolder.h"
#include "platform/host/launcher/XdgDirs.h"
#include "platform/host/testing.h"
#include "platform/win32.h"

namespace {

namespace fs = std::filesystem;

std::string CurrentFolder()
{
    std::error_code failure;
    const fs::path folder = fs::current_path(failure);
    return failure ? "." : folder.string();
}

// -c FILE as an absolute path.
std::string AbsoluteListFile(const std::string& file)
{
    const host::ListFile list = host::SplitListFile(file, CurrentFolder());
    return (fs::path(list.folder) / list.name).string();
}

// --autostart on|off, with the -c given; the exit code.
int ChangeAutostart(const host::Options& options)
{
    const std::string list = options.config.empty() ? "" : AbsoluteListFile(options.config);
    std::error_code failure;
    if (*options.autostart && !list.empty() && !fs::is_regular_file(list, failure)) {
        fprintf(stderr, "ostrevia: %s is not a panel list file; autostart is unchanged\n", list.c_str());
        return 1;
    }
    const std::string configHome = host::XdgDirs::FromEnvironment().ConfigHome();
    if (configHome.empty()) {
        fprintf(stderr, "ostrevia: %s\n", host::XdgDirs::kNoConfigHome);
        return 1;
    }
    std::string message, error;
    if (!host::SetAutostart(*options.autostart, configHome + "/autostart", host::ExecutablePath(), list, message,
                            error)) {
        fprintf(stderr, "ostrevia: %s\n", error.c_str());
        return 1;
    }
    printf("ostrevia: %s\n", message.c_str());
    return 0;
}

// The folder that the program reads its list from.
std::string ListFolder(const std::string& reported)
{
    return reported.empty() ? fs::path(host::ExecutablePath()).parent_path().string() : reported;
}

// Tells the program where its panels are: -c's folder, the executable's
// folder, the named file's folder or the config folder, filled on the first
// start. When the list is nowhere, the program's own messages report it
// where it was last looked for, and one line says why.
// Returns the folder reported to the program, empty for the executable's own.
std::string PlacePanels(const host::Options& options, std::u16string& commandLine)
{
    std::string folder;
    if (!options.config.empty()) {
        const host::ListFile list = host::SplitListFile(options.config, CurrentFolder());
        folder = list.folder;
        commandLine = host::ToUtf16(list.name);
    } else if (const std::string executable = host::ExecutablePath(); !executable.empty()) {
        const fs::path programFolder = fs::path(executable).parent_path();
        const fs::path dataFolder = (programFolder / OSTREVIA_DATA_FROM_PROGRAM).lexically_normal();
        host::PanelFolder found;
        std::string error;
        if (!host::FindPanelFolder(programFolder.string(), dataFolder.string(), host::XdgDirs::FromEnvironment(),
                                   CurrentFolder(), host::ToUtf8(commandLine), found, error))
            fprintf(stderr, "ostrevia: %s\n", error.c_str());
        if (!found.note.empty())
            fprintf(stderr, "ostrevia: %s\n", found.note.c_str());
        folder = found.folder;
        commandLine = host::ToUtf16(found.commandLine);
    }
    if (!folder.empty())
        host::ReportProgramFolder(folder);
    return folder;
}

// One instance per list and display. A second start of a list tells the
// first to read everything again, as SIGHUP does, and ends; with --replace it
// ends the first and takes its place. Returns -1 to go on (`lock` then held,
// or the rule not kept and said so), else the exit code.
int ClaimList(const host::Options& options, const std::string& list, host::InstanceLock& lock)
{
    std::string why;
    const std::string folder = host::InstanceLockFolder(getenv("XDG_RUNTIME_DIR"), getuid(), why);
    if (folder.empty()) {
        fprintf(stderr, "ostrevia: %s; a second start of this list will show it twice\n", why.c_str());
        return -1;
    }
    // The same list may be shown once on each display.
    const char* wayland = getenv("WAYLAND_DISPLAY");
    const char* x11 = getenv("DISPLAY");
    const std::string display = std::string(wayland ? wayland : "") + "/" + (x11 ? x11 : "");
    const std::string file = host::InstanceLockFile(folder, list, display);
    pid_t holder = 0;
    std::string error;
    host::InstanceLock::Result result = lock.Take(file, holder, error);
    if (result == host::InstanceLock::Result::Held && options.replace) {
        if (holder > 0)
            kill(holder, SIGTERM);
        constexpr int kEndingTime = 5000;
        result = lock.TakeWithin(file, kEndingTime, holder, error);
        if (result == host::InstanceLock::Result::Held) {
            fprintf(stderr, "ostrevia: %s is still shown by pid %d, which did not end\n", list.c_str(),
                    static_cast<int>(holder));
            return 1;
        }
    }
    if (result == host::InstanceLock::Result::Failed) {
        fprintf(stderr, "ostrevia: %s; a second start of this list will show it twice\n", error.c_str());
        return -1;
    }
    if (result == host::InstanceLock::Result::Taken)
        return -1;
    if (holder <= 0 || kill(holder, SIGHUP) != 0) {
        fprintf(stderr, "ostrevia: already showing %s, but its process cannot be told to reload\n", list.c_str());
        return 1;
    }
    fprintf(stderr, "ostrevia: already showing %s (pid %d); told it to reload\n", list.c_str(),
            static_cast<int>(holder));
    return 0;
}

// A snapshot goes only to a regular file or a new one: writing to a pipe or
// a device would hold or never end the run.
bool CanTakeSnapshot(const std::string& path, const char* from)
{
    if (host::IsRegularOrNewFile(path))
        return true;
    fprintf(stderr, "ostrevia: the snapshot %s%s is not a regular file; name a new or existing .png file\n",
            path.c_str(), from);
    return false;
}

bool ReadScript(const std::string& path, std::vector<host::ScriptAction>& actions)
{
    std::string text;
    if (!host::ReadRegularFile(path, text)) {
        fprintf(stderr, "ostrevia: cannot read the script %s (%s)\n", path.c_str(),
                errno == EINVAL ? "not a regular file" : strerror(errno));
        return false;
    }
    std::string error;
    if (!host::ParseScript(text, actions, error)) {
        fprintf(stderr, "ostrevia: script %s, %s\n", path.c_str(), error.c_str());
        return false;
    }
    const std::string from = " of the script " + path;
    for (const host::ScriptAction& action : actions) {
        if (action.kind == host::ScriptAction::Kind::Snapshot && !CanTakeSnapshot(action.file, from.c_str()))
            return false;
    }
    return true;
}

constexpr DWORD kHeadlessRunTime = 5000;

using Backend = host::Options::Backend;

bool IsSet(const char* variable)
{
    const char* value = getenv(variable);
    return value && *value;
}

#ifdef OSTREVIA_WAYLAND
// The Wayland display, or null with `failure` and `error` saying why.
std::unique_ptr<host::Display> OpenWayland(const host::Options& options, host::WaylandFailure& failure,
                                           std::string& error)
{
    return host::DisplayWayland::Open(error, failure, options.monitor, options.scale);
}
#else
std::unique_ptr<host::Display> OpenWayland(const host::Options&, host::WaylandFailure& failure, std::string& error)
{
    failure = host::WaylandFailure::NoCompositor;
    error = "this build has no Wayland display (its libraries were missing); run with --backend x11 or --headless";
    return nullptr;
}
#endif

// The display that `options` ask for. Auto: Wayland when the compositor
// offers the layer shell, else X11 where DISPLAY is set, else the virtual
// screen, saying so. Null (after saying why) with the exit code in `failure`
// when the display asked for cannot be used.
std::unique_ptr<host::Display> OpenBackend(const host::Options& options, int& failure)
{
    Backend backend = options.backend;
    std::string error;
    const bool compositorNamed = IsSet("WAYLAND_DISPLAY") || IsSet("WAYLAND_SOCKET");
    if (backend == Backend::Wayland || (backend == Backend::Auto && compositorNamed)) {
        host::WaylandFailure why{};
        if (std::unique_ptr<host::Display> wayland = OpenWayland(options, why, error))
            return wayland;
        if (backend == Backend::Wayland || why == host::WaylandFailure::Other) {
            fprintf(stderr, "ostrevia: %s\n", error.c_str());
            failure = why == host::WaylandFailure::Other ? 2 : 1;
            return nullptr;
        }
        if (why == host::WaylandFailure::NoLayerShell && IsSet("DISPLAY"))
            fputs("ostrevia: the Wayland compositor offers no layer shell (GNOME Shell does not); "
                  "the panels are shown through Xwayland\n",
                  stderr);
    }
    if (backend == Backend::Auto)
        backend = IsSet("DISPLAY") ? Backend::X11 : Backend::Headless;
    if (backend == Backend::X11) {
        bool noSuchMonitor = false;
        std::unique_ptr<host::Display> x11 =
            host::DisplayX11::Open(error, options.monitor, options.scale, &noSuchMonitor);
        if (!x11) {
            fprintf(stderr, "ostrevia: %s\n", error.c_str());
            failure = noSuchMonitor ? 2 : 1;
        }
        return x11;
    }
    if (options.backend == Backend::Auto)
        fprintf(stderr,
                "ostrevia: neither a Wayland compositor with the layer shell nor an X display (DISPLAY) was found; "
                "the panels run on the virtual screen for %u ms\n",
                static_cast<unsigned>(options.runFor.value_or(kHeadlessRunTime)));
    // The virtual screen is the one monitor there is.
    if (!options.monitor.empty() && options.monitor != "0") {
        fprintf(stderr, "ostrevia: there is no monitor %s; the virtual screen is monitor 0\n", options.monitor.c_str());
        failure = 2;
        return nullptr;
    }
    const auto clock = options.realtime ? host::DisplayHeadless::Clock::Real : host::DisplayHeadless::Clock::Virtual;
    return std::make_unique<host::DisplayHeadless>(options.screenWidth, options.screenHeight, clock,
                                                   options.scale.value_or(1));
}

// The display set up for the run: its end and its snapshot.
std::unique_ptr<host::Display> ChooseDisplay(const host::Options& options,
                                             const std::vector<host::ScriptAction>& actions, int& failure)
{
    std::unique_ptr<host::Display> chosen = OpenBackend(options, failure);
    if (!chosen)
        return nullptr;
    if (auto* headless = dynamic_cast<host::DisplayHeadless*>(chosen.get())) {
        headless->Schedule(actions);
        chosen->EndRunAfter(options.runFor.value_or(kHeadlessRunTime));
    } else if (options.runFor) {
        chosen->EndRunAfter(*options.runFor);
    }
    if (!options.snapshot.empty())
        chosen->SnapshotAtEnd(options.snapshot);
    return chosen;
}

// Whether the run may go to a real display (Wayland or X11) rather than the
// virtual screen.
bool MayShowOnADisplay(const host::Options& options)
{
    const bool sessionDisplay = IsSet("WAYLAND_DISPLAY") || IsSet("WAYLAND_SOCKET") || IsSet("DISPLAY");
    return options.backend != Backend::Headless && (options.backend != Backend::Auto || sessionDisplay);
}

// The screen that the panels are checked against: the one the run would
// show them on, the headless one where there is none.
SIZE CheckedScreen(const host::Options& options)
{
    int failure = 0;
    if (MayShowOnADisplay(options)) {
        if (const std::unique_ptr<host::Display> display = OpenBackend(options, failure))
            return display->ScreenSize();
    }
    return {options.screenWidth, options.screenHeight};
}

int RunCheck(const host::Options& options, std::u16string commandLine)
{
    host::DisableFileWatching();
    host::testing::RecordLaunches(true);
    const SIZE screen = CheckedScreen(options);
    auto display = std::make_unique<host::DisplayHeadless>(screen.cx, screen.cy, host::DisplayHeadless::Clock::Virtual);
    display->QuietMessageBoxes();
    display->EndRunAfter(0);
    // One window shown for each panel that loads.
    const host::DisplayHeadless& panels = *display;
    host::InstallDisplay(std::move(display));

    std::vector<std::string> lines;
    host::CollectDebugOutput(&lines);
    wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);
    host::CollectDebugOutput(nullptr);
    return host::WriteCheckReport(lines, panels.WindowsShown(), stdout).errors > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    host::Options options;
    std::string error;
    if (!host::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        fprintf(stderr, "ostrevia: %s\n%s", error.c_str(), host::UsageLine().c_str());
        return 2;
    }
    if (options.help) {
        fputs(host::HelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        puts("ostrevia " OSTREVIA_VERSION);
        return 0;
    }
    if (options.autostart)
        return ChangeAutostart(options);
    if (options.listSensors) {
        const std::string report = host::SensorReport("/sys");
        fputs(report.empty() ? "ostrevia: no temperature sensors under /sys/class/hwmon or /sys/class/thermal\n"
                             : report.c_str(),
              report.empty() ? stderr : stdout);
        return report.empty() ? 1 : 0;
    }
    std::vector<host::ScriptAction> actions;
    if (!options.script.empty() && !ReadScript(options.script, actions))
        return 2;
    if (!options.snapshot.empty() && !CanTakeSnapshot(options.snapshot, ""))
        return 2;
    std::u16string commandLine = options.commandLine;
    const std::string listFolder = ListFolder(PlacePanels(options, commandLine));
    host::ApplyFakes(options);
    if (const std::string cacheHome = host::XdgDirs::FromEnvironment().CacheHome(); !cacheHome.empty())
        host::gdi::UseFontMatchCache(cacheHome + "/ostrevia/font-matches");
    if (options.check)
        return RunCheck(options, commandLine);
    if (options.noReload)
        host::DisableFileWatching();
    host::CatchHangup();
    // The virtual screen is each run's own: only panels on a display can be
    // shown twice over each other.
    host::InstanceLock lock;
    if (MayShowOnADisplay(options)) {
        std::error_code failure;
        const fs::path list = host::ListPathIn(listFolder, host::ToUtf8(commandLine));
        const fs::path resolved = fs::weakly_canonical(list, failure);
        if (const int code = ClaimList(options, failure ? list.string() : resolved.string(), lock); code >= 0)
            return code;
    }
    int failure = 0;
    std::unique_ptr<host::Display> display = ChooseDisplay(options, actions, failure);
    if (!display)
        return failure;
    host::InstallDisplay(std::move(display));

    const int result = wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);
    // A program that ended without a message loop still gets its snapshot.
    host::TheDisplay().RunEnding();
    return result;
}
