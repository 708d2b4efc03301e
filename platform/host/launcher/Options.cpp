#include "platform/host/launcher/Options.h"

#include <charconv>
#include <utility>
#include <string_view>

#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

constexpr int kLargestScreenSide = 8192;
constexpr int kLargestScale = 4;
// The interface counters are 32 bits: faster traffic would wrap them more
// than once between two readings of a gauge.
constexpr ULONGLONG kFastestFakeTraffic = 1000000000;

template <typename Number>
bool ParseNumber(std::string_view text, Number& value)
{
    if (text.empty())
        return false;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return failure == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
    }
}

bool ParseScreen(std::string_view text, Options& options)
{
    const auto parts = Split(text, 'x');
    return parts.size() == 2 && ParseNumber(parts[0], options.screenWidth) &&
           ParseNumber(parts[1], options.screenHeight) && options.screenWidth > 0 && options.screenHeight > 0 &&
           options.screenWidth <= kLargestScreenSide && options.screenHeight <= kLargestScreenSide;
}

bool ParseMemory(std::string_view text, Options& options)
{
    const auto parts = Split(text, '/');
    Options::Memory memory{};
    if ((parts.size() != 2 && parts.size() != 4) || !ParseNumber(parts[0], memory.availPhys) ||
        !ParseNumber(parts[1], memory.totalPhys))
        return false;
    // Without its own pair, the address space reads like the memory.
    memory.availVirtual = memory.availPhys;
    memory.totalVirtual = memory.totalPhys;
    if (parts.size() == 4 &&
        (!ParseNumber(parts[2], memory.availVirtual) || !ParseNumber(parts[3], memory.totalVirtual)))
        return false;
    options.fakeMemory = memory;
    return true;
}

bool ParseDisk(std::string_view text, Options& options)
{
    if (text == "fail") {
        options.fakeDisk = Options::Disk{true, 0, 0};
        return true;
    }
    const auto parts = Split(text, '/');
    Options::Disk disk{false, 0, 0};
    if (parts.size() != 2 || !ParseNumber(parts[0], disk.freeBytes) || !ParseNumber(parts[1], disk.totalBytes))
        return false;
    options.fakeDisk = disk;
    return true;
}

bool ParseBattery(std::string_view text, Options& options)
{
    Options::Battery battery{false, 0, false, false};
    if (text == "none") {
        battery.none = true;
        options.fakeBattery = battery;
        return true;
    }
    const auto parts = Split(text, ',');
    if (!ParseNumber(parts[0], battery.percent) || battery.percent < 0 || battery.percent > 255)
        return false;
    for (size_t i = 1; i < parts.size(); ++i) {
        if (parts[i] == "charging")
            battery.charging = true;
        else if (parts[i] == "ac")
            battery.onAC = true;
        else
            return false;
    }
    options.fakeBattery = battery;
    return true;
}

bool ParseAutostart(std::string_view text, Options& options)
{
    if (text != "on" && text != "off")
        return false;
    options.autostart = text == "on";
    return true;
}

bool ParseBackend(std::string_view text, Options& options)
{
    constexpr std::pair<std::string_view, Options::Backend> kBackends[] = {
        {"auto", Options::Backend::Auto},
        {"wayland", Options::Backend::Wayland},
        {"x11", Options::Backend::X11},
        {"headless", Options::Backend::Headless},
    };
    for (const auto& [name, backend] : kBackends) {
        if (text == name) {
            options.backend = backend;
            return true;
        }
    }
    return false;
}

bool ParseScale(std::string_view text, Options& options)
{
    int scale = 0;
    if (!ParseNumber(text, scale) || scale < 1 || scale > kLargestScale)
        return false;
    options.scale = scale;
    return true;
}

bool ParseCpu(std::string_view text, Options& options)
{
    int percent = 0;
    if (!ParseNumber(text, percent) || percent < 0 || percent > 100)
        return false;
    options.fakeCpu = percent;
    return true;
}

bool ParseNetwork(std::string_view text, Options& options)
{
    const auto parts = Split(text, '/');
    Options::Network network{};
    if (parts.size() != 2 || !ParseNumber(parts[0], network.received) || !ParseNumber(parts[1], network.sent) ||
        network.received > kFastestFakeTraffic || network.sent > kFastestFakeTraffic)
        return false;
    options.fakeNetwork = network;
    return true;
}

// Colder than anything and hotter than any sensor reads, so that the
// absurd readings that the program refuses can be shown too.
bool ParseTemperature(std::string_view text, Options& options)
{
    int celsius = 0;
    if (!ParseNumber(text, celsius) || celsius < -273 || celsius > 1000)
        return false;
    options.fakeTemperature = celsius;
    return true;
}

// One option: its long and short name, the value it takes as --help shows it
// (empty for a switch), its help line, and what it sets. The table's order is
// the order of --help.
struct Option {
    std::string_view name;
    std::string_view shortName;
    std::string_view value;
    std::string_view help;
    bool (*apply)(std::string_view value, Options& options);
};

constexpr Option kOptions[] = {
    {"--config", "-c", "FILE", "the panel list at FILE (from the current folder)",
     [](std::string_view v, Options& o) { return !(o.config = v).empty(); }},
    {"--autostart", "", "on|off", "start at login (with the -c given), or no more", ParseAutostart},
    {"--backend", "", "auto|wayland|x11|headless", "the display to use (auto)", ParseBackend},
    {"--headless", "", "", "the virtual screen: short for --backend headless",
     [](std::string_view, Options& o) {
         o.backend = Options::Backend::Headless;
         return true;
     }},
    {"--screen", "", "WxH", "size of the virtual screen (240x320)", ParseScreen},
    {"--run-for", "", "MS", "end the run after MS milliseconds",
     [](std::string_view v, Options& o) {
         o.runFor.emplace();
         return ParseNumber(v, *o.runFor);
     }},
    {"--snapshot", "", "FILE.png", "write the screen as PNG at the end of the run",
     [](std::string_view v, Options& o) { return !(o.snapshot = v).empty(); }},
    {"--script", "", "FILE", "timed taps and snapshots on the virtual screen",
     [](std::string_view v, Options& o) { return !(o.script = v).empty(); }},
    {"--realtime", "", "", "the virtual screen on the real clock",
     [](std::string_view, Options& o) { return o.realtime = true; }},
    {"--fake-memory", "", "A/T[/AV/TV]", "simulated memory in bytes", ParseMemory},
    {"--fake-disk", "", "FREE/TOTAL|fail", "simulated disk space in bytes", ParseDisk},
    {"--fake-battery", "", "P[,charging][,ac]|none", "simulated battery", ParseBattery},
    {"--fake-cpu", "", "PERCENT", "simulated processor load, 0 to 100", ParseCpu},
    {"--fake-net", "", "RX/TX", "simulated network traffic in bytes per second", ParseNetwork},
    {"--fake-temperature", "", "CELSIUS", "simulated temperature of every sensor", ParseTemperature},
    {"--list-sensors", "", "", "print the temperature sensors and their readings",
     [](std::string_view, Options& o) { return o.listSensors = true; }},
    {"--monitor", "", "N|NAME", "the monitor to show the panels on (the first)",
     [](std::string_view v, Options& o) { return !(o.monitor = v).empty(); }},
    {"--scale", "", "N", "show every pixel N x N times larger, 1 to 4 (from Xft.dpi)", ParseScale},
    {"--check", "", "", "load every panel, show nothing, print what is wrong; exit 1 on errors",
     [](std::string_view, Options& o) { return o.check = true; }},
    {"--no-reload", "", "", "do not reload panels whose files are saved while shown",
     [](std::string_view, Options& o) { return o.noReload = true; }},
    {"--replace", "", "", "end the instance showing the same list and take its place",
     [](std::string_view, Options& o) { return o.replace = true; }},
    {"--help", "-h", "", "this text", [](std::string_view, Options& o) { return o.help = true; }},
    {"--version", "-V", "", "the version", [](std::string_view, Options& o) { return o.version = true; }},
};

const Option* FindOption(std::string_view argument)
{
    for (const Option& option : kOptions) {
        if (argument == option.name || (!option.shortName.empty() && argument == option.shortName))
            return &option;
    }
    return nullptr;
}

std::u16string Joined(const std::vector<std::string>& words)
{
    std::string line;
    for (size_t i = 0; i < words.size(); ++i)
        line += (i > 0 ? " " : "") + words[i];
    return ToUtf16(line);
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error)
{
    std::vector<std::string> words;
    size_t i = 0;
    for (; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            words.push_back(arguments[i]);
            continue;
        }
        // "--name=VALUE" carries its value.
        std::optional<std::string_view> attached;
        const size_t equals = argument.find('=');
        if (argument.rfind("--", 0) == 0 && equals != std::string_view::npos) {
            attached = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        const Option* option = FindOption(argument);
        if (!option) {
            error = "unknown option " + std::string(argument);
            return false;
        }
        std::string_view value;
        if (option->value.empty()) {
            if (attached) {
                error = std::string(argument) + " takes no value";
                return false;
            }
        } else if (attached) {
            value = *attached;
        } else if (i + 1 == arguments.size()) {
            error = std::string(argument) + " needs a value";
            return false;
        } else {
            value = arguments[++i];
        }
        if (!option->apply(value, options)) {
            error = "bad value for " + std::string(argument) + ": " + std::string(value);
            return false;
        }
    }
    words.insert(words.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    if (!options.config.empty() && !words.empty()) {
        error = "-c names the panel list; " + words.front() + " cannot be a second one";
        return false;
    }
    options.commandLine = Joined(words);
    return true;
}

std::string UsageLine()
{
    return "usage: ostrevia [OPTION...] [--] [PANEL-LIST]   (ostrevia --help tells more)\n";
}

std::string HelpText()
{
    constexpr size_t kHelpColumn = 29;
    std::string text =
        "usage: ostrevia [OPTION...] [--] [PANEL-LIST]\n"
        "Shows the panels of a panel list above the desktop.\n\n";
    for (const Option& option : kOptions) {
        std::string line = option.shortName.empty() ? "      " : "  " + std::string(option.shortName) + ", ";
        line += option.name;
        if (!option.value.empty())
            line += " " + std::string(option.value);
        line += line.size() + 2 <= kHelpColumn ? std::string(kHelpColumn - line.size(), ' ') : "  ";
        text += line + std::string(option.help) + "\n";
    }
    text +=
        "\n"
        "Without -c, PANEL-LIST (default KalmiSettings.ini) is read from the\n"
        "program's folder when it holds that list, else as a path from the current\n"
        "folder when it names a file, else from ~/.config/ostrevia/\n"
        "($XDG_CONFIG_HOME), which the first start fills with the bundled panels.\n"
        "Edit the panels there: UTF-16 files with a byte order mark (gedit, Kate,\n"
        "VS Code and vim keep that encoding).\n"
        "Exit codes: 0 done, 1 failed, 2 usage. More in: man ostrevia\n";
    return text;
}

void ApplyFakes(const Options& options)
{
    if (const auto& memory = options.fakeMemory)
        testing::FakeMemory(memory->availPhys, memory->totalPhys, memory->availVirtual, memory->totalVirtual);
    if (const auto& disk = options.fakeDisk) {
        if (disk->fail)
            testing::FakeDiskFailure();
        else
            testing::FakeDisk(disk->freeBytes, disk->totalBytes);
    }
    if (options.fakeCpu)
        testing::FakeCpuLoad(*options.fakeCpu);
    if (const auto& network = options.fakeNetwork)
        testing::FakeNetwork(network->received, network->sent);
    if (options.fakeTemperature)
        testing::FakeTemperature(*options.fakeTemperature);
    if (const auto& battery = options.fakeBattery) {
        if (battery->none)
            testing::FakeNoBattery();
        else
            testing::FakeBattery(battery->percent, battery->charging, battery->onAC);
    }
}

}  // namespace host
