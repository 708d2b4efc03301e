#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/RefreshMemo.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr int kSeconds = 60;

// The bundled panels (not the lists) and the panels of the benchmarks and the
// Windows tests.
std::vector<std::string> PanelFiles()
{
    std::vector<std::string> panels;
    for (const auto& entry : std::filesystem::directory_iterator(OSTREVIA_SOURCE "/examples")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".ini" && !name.ends_with("List.ini") && name != "KalmiSettings.ini")
            panels.push_back(entry.path().string());
    }
    for (const char* panel : {"/bench/panels/Overlay.ini", "/tests/data/wine/Panels.ini", "/tests/data/wine/Live.ini",
                              "/tests/data/wine/Pictures.ini"})
        panels.push_back(OSTREVIA_SOURCE + std::string(panel));
    return panels;
}

// Readings that move every second: some steps change what a gauge shows,
// others only less than a pixel of its bar or nothing at all.
void FakeReadings(int second)
{
    constexpr ULONGLONG kMiB = 1 << 20;
    host::testing::FakeCpuLoad(second % 4 == 0 ? 37 : (second * 37) % 101);
    host::testing::FakeMemory(1024 * kMiB + (second / 3) * 37 * kMiB, 4096 * kMiB, 900 * kMiB + second * 1000,
                              2048 * kMiB);
    host::testing::FakeDisk(20000 * kMiB - (second / 5) * kMiB, 100000 * kMiB);
    host::testing::FakeNetwork(second % 10 < 5 ? 1000 : second * 3000, 2000);
    host::testing::FakeBattery(50 + second / 6, second % 20 < 10, true);
    host::testing::FakeTemperature(40 + (second / 4) % 6 * 9);
}

// The screen after each second of the panel at `path`.
std::vector<std::string> SnapshotsOf(const std::string& path, bool memo)
{
    paneltest::ResetPanels();
    // Room for the tallest and the widest panel.
    host::testing::ResetHost(400, 900);
    RefreshMemo::Enable(memo);
    host::testing::FakeWallClock(1767225590);  // ten seconds before a new year
    FakeReadings(0);
    std::vector<std::string> snapshots;
    if (!paneltest::OpenPanel(path))
        return snapshots;
    const std::string png = testfiles::TempFolder() + "memo.png";
    for (int second = 1; second <= kSeconds; ++second) {
        host::testing::RunFor(1000);
        FakeReadings(second);
        host::testing::WriteSnapshot(png.c_str());
        snapshots.push_back(testfiles::ReadFileAt(png));
    }
    RefreshMemo::Enable(true);
    return snapshots;
}

class RefreshMemoTest : public paneltest::PanelFixture {
protected:
    void TearDown() override
    {
        RefreshMemo::Enable(true);
        PanelFixture::TearDown();
    }
};

TEST_F(RefreshMemoTest, EveryPanelLooksTheSameWithTheMemoAsWithout)
{
    for (const std::string& path : PanelFiles()) {
        SCOPED_TRACE(path);
        const std::vector<std::string> drawn = SnapshotsOf(path, false);
        const std::vector<std::string> memo = SnapshotsOf(path, true);
        ASSERT_EQ(drawn.size(), static_cast<size_t>(kSeconds));
        ASSERT_EQ(memo.size(), drawn.size());
        for (size_t second = 0; second < drawn.size(); ++second)
            ASSERT_TRUE(memo[second] == drawn[second]) << "differs after " << second + 1 << " s";
    }
}

}  // namespace
