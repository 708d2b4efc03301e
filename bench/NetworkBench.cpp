// What one reading of a NETWORK gauge costs as the machine's interfaces
// grow in number: 10, 300 and 3,000 (a container host's virtual links), on a
// generated /proc/net/dev and /sys/class/net. The gauge names no interface,
// so each reading takes the whole table; BM_NetworkReadingNamed names one,
// which reads that interface's row alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gauges/DibSurface.h"
#include "gauges/NetworkInfo.h"
#include "platform/host/testing.h"

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// A tree under a new temporary folder: interfaces "veth0" ... with growing
// counters, each up, with its index, kind and state; removed when done.
class InterfaceTree {
public:
    explicit InterfaceTree(int interfaces)
        : root_(fs::temp_directory_path() / ("ostrevia-net-" + std::to_string(interfaces) + "-" +
                                             std::to_string(reinterpret_cast<uintptr_t>(this))))
    {
        std::string counters =
            "Inter-|   Receive                                                |  Transmit\n"
            " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs drop fifo colls "
            "carrier compressed\n";
        for (int i = 0; i < interfaces; ++i) {
            const std::string name = "veth" + std::to_string(i);
            counters += name + ": " + std::to_string(1000000 + 977 * i) + " 8123 0 0 0 0 0 0 " +
                        std::to_string(500000 + 13 * i) + " 4200 0 0 0 0 0 0\n";
            const fs::path folder = root_ / "sys/class/net" / name;
            fs::create_directories(folder);
            WriteText(folder / "ifindex", std::to_string(i + 2) + "\n");
            WriteText(folder / "type", "1\n");
            WriteText(folder / "flags", "0x1003\n");
            WriteText(folder / "mtu", "1500\n");
            WriteText(folder / "speed", "10000\n");
            WriteText(folder / "operstate", "up\n");
        }
        fs::create_directories(root_ / "proc/net");
        WriteText(root_ / "proc/net/dev", counters);
    }
    ~InterfaceTree()
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    InterfaceTree(const InterfaceTree&) = delete;
    InterfaceTree& operator=(const InterfaceTree&) = delete;

    std::string Root() const { return root_.string(); }

private:
    fs::path root_;
};

void RunReadings(benchmark::State& state, const char16_t* interfaceLine)
{
    const InterfaceTree tree(static_cast<int>(state.range(0)));
    host::testing::ResetHost();
    host::testing::ReadSystemFrom(tree.Root());
    {
        NetworkInfo gauge;
        for (const std::u16string& line : {std::u16string(u"Width = 120"), std::u16string(interfaceLine)}) {
            if (!line.empty())
                gauge.ParseKey(line.c_str(), static_cast<UINT>(line.size()), false);
        }
        HDC screen = GetDC(nullptr);
        gauge.Measure(screen);
        ReleaseDC(nullptr, screen);
        DibSurface surface;
        surface.Create(140, 60);
        gauge.Draw(surface, 0, 0);  // the first reading meets every interface
        for (auto _ : state)
            gauge.Draw(surface, 0, 0);
        surface.Destroy();
    }
    host::testing::ResetHost();
}

void BM_NetworkReading(benchmark::State& state)
{
    RunReadings(state, u"");
}
BENCHMARK(BM_NetworkReading)->ArgName("interfaces")->Arg(10)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_NetworkReadingNamed(benchmark::State& state)
{
    RunReadings(state, u"Interface = veth7");
}
BENCHMARK(BM_NetworkReadingNamed)->ArgName("interfaces")->Arg(10)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

}  // namespace
