#include "platform/host/Options.h"

#include <charconv>
#include <string_view>

#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

constexpr int kLargestScreenSide = 8192;

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

// An option that takes a value: its name and how to read the value.
struct ValueOption {
    std::string_view name;
    bool (*parse)(std::string_view value, Options& options);
};

constexpr ValueOption kValueOptions[] = {
    {"--screen", ParseScreen},
    {"--run-for",
     [](std::string_view v, Options& o) {
         o.runFor.emplace();
         return ParseNumber(v, *o.runFor);
     }},
    {"--snapshot", [](std::string_view v, Options& o) { return !(o.snapshot = v).empty(); }},
    {"--script", [](std::string_view v, Options& o) { return !(o.script = v).empty(); }},
    {"--fake-memory", ParseMemory},
    {"--fake-disk", ParseDisk},
    {"--fake-battery", ParseBattery},
};

std::u16string JoinedFrom(const std::vector<std::string>& arguments, size_t first)
{
    std::string line;
    for (size_t i = first; i < arguments.size(); ++i) {
        if (i > first)
            line += ' ';
        line += arguments[i];
    }
    return ToUtf16(line);
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error)
{
    size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument.rfind("--", 0) != 0)
            break;
        if (argument == "--headless") {
            options.headless = true;
            continue;
        }
        if (argument == "--realtime") {
            options.realtime = true;
            continue;
        }
        const ValueOption* option = nullptr;
        for (const ValueOption& candidate : kValueOptions) {
            if (candidate.name == argument)
                option = &candidate;
        }
        if (!option) {
            error = "unknown option " + argument;
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = argument + " needs a value";
            return false;
        }
        if (!option->parse(arguments[++i], options)) {
            error = "bad value for " + argument + ": " + arguments[i];
            return false;
        }
    }
    options.commandLine = JoinedFrom(arguments, i);
    return true;
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
    if (const auto& battery = options.fakeBattery) {
        if (battery->none)
            testing::FakeNoBattery();
        else
            testing::FakeBattery(battery->percent, battery->charging, battery->onAC);
    }
}

}  // namespace host
