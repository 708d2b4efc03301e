#include "bench/BenchPanels.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/PanelList.h"
#include "app/PanelWindowList.h"
#include "app/PanelWindows.h"
#include "platform/host/testing.h"

namespace bench {
namespace {

// Panel files are UTF-16LE with a byte-order mark; these are ASCII.
void WriteUtf16(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file.write("\xFF\xFE", 2);
    for (char c : text) {
        file.put(c);
        file.put('\0');
    }
}

// Ten gauges of every kind, refreshed every second.
std::string GaugePanel(int index)
{
    std::string text = "GLOBALSETTINGS\r\nX = " + std::to_string(index % 8) + "\r\nY = " + std::to_string(index % 16) +
                       "\r\nWidth = 128\r\nArrange = Vertical\r\nBackgroundColor = 203040\r\n"
                       "StartUpAnimation = NoAnimation\r\n\r\n";
    const char* gauges[] = {"MEMORY", "DISKMEM\r\nFolder = /", "BATTERY\r\nHeight = 16",
                            "MEMORY\r\nCoolPhysMemBar = 0\r\nPhysMemBar = 1",
                            "DISKMEM\r\nFolder = /\r\nCoolBar = 0\r\nBar = 1"};
    for (int i = 0; i < 10; ++i)
        text += std::string(gauges[i % 5]) + "\r\nInterval = 1000\r\n\r\n";
    return text;
}

}  // namespace

int OpenPanels(const std::string& folder, const std::u16string& listName)
{
    host::testing::ResetHost();
    host::testing::SetModuleFileName(folder + "ostrevia");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterPanelClass(instance);
    ReadPanelList(instance, listName.c_str());
    for (HWND window : PanelWindowList::Windows()) {
        ShowPanelWindow(window);
        UpdateWindow(window);
    }
    host::testing::RunPending();
    return static_cast<int>(PanelWindowList::Windows().size());
}

std::string GaugePanelFolder(int panels)
{
    const std::string folder = std::filesystem::temp_directory_path().string() + "/ostrevia-bench-" +
                               std::to_string(getpid()) + "/";
    const std::string list = folder + "Panels" + std::to_string(panels) + ".ini";
    if (std::filesystem::exists(list))
        return folder;
    std::filesystem::create_directories(folder);
    std::string names;
    for (int i = 0; i < panels; ++i) {
        const std::string name = "Gauges" + std::to_string(i) + ".ini";
        if (!std::filesystem::exists(folder + name))
            WriteUtf16(folder + name, GaugePanel(i));
        names += name + "\r\n";
    }
    WriteUtf16(list, names);
    return folder;
}

std::string OverlayFolder() { return OSTREVIA_BENCH_PANELS "/"; }

void ClosePanels()
{
    while (!PanelWindowList::Windows().empty())
        RemovePanelWindow(PanelWindowList::Windows().front());
}

}  // namespace bench
