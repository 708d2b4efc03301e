#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "app/GlobalSettings.h"
#include "app/PanelFileLoader.h"
#include "buttons/BitmapButton.h"
#include "buttons/CommandButton.h"
#include "buttons/IconXPButton.h"
#include "buttons/WindowsButton.h"
#include "gauges/BatteryInfo.h"
#include "gauges/CpuInfo.h"
#include "gauges/DiskInfo.h"
#include "gauges/GraphInfo.h"
#include "gauges/MemoryInfo.h"
#include "gauges/NetworkInfo.h"
#include "gauges/TemperatureInfo.h"
#include "objects/DateInfo.h"
#include "objects/Space.h"
#include "objects/Text.h"
#include "objects/TimeInfo.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

class PanelFileLoaderTest : public paneltest::PanelFixture {
protected:

    // Loads a panel file with the given lines (UTF-8, joined by CR LF).
    bool Load(const std::string& content, const std::string& name = "panel.ini")
    {
        path = paneltest::WritePanel(name, content);
        return LoadPanelFile(settings, testfiles::Utf16(path).c_str());
    }

    // Captions and texts of the boxes shown, as "caption|text".
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> shown;
        for (const auto& box : host::testing::MessageBoxes())
            shown.push_back(testfiles::Utf8(box.caption) + "|" + testfiles::Utf8(box.text));
        return shown;
    }

    // The classes of the objects made, in list order.
    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> kinds;
        for (const auto& object : settings.Objects())
            kinds.push_back(typeid(*object).name());
        return kinds;
    }

    GlobalSettings settings{nullptr};
    std::string path;
};

const std::string kUnknownType = "Ostrevia - Ignoriere unbekannten Typ:|";
const std::string kUnknownKey = "DesktopObject - Ignoriere unbekannten Wert:|";

TEST_F(PanelFileLoaderTest, FileWithOnlyTheMarkLoadsWithDefaults)
{
    EXPECT_FALSE(Load(""));
    EXPECT_TRUE(settings.Objects().empty());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(128, settings.Width());
    EXPECT_EQ(0, settings.Height());  // stacked, no objects, no border
}

TEST_F(PanelFileLoaderTest, MissingFileFailsWithItsPath)
{
    const std::u16string missing = testfiles::Utf16(testfiles::TempFolder() + "missing.ini");
    EXPECT_TRUE(LoadPanelFile(settings, missing.c_str()));
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(u"Datei nicht gefunden:", box.caption);
    EXPECT_EQ(missing, box.text);
    EXPECT_EQ(0x10010u, box.style);
}

TEST_F(PanelFileLoaderTest, FileWithoutTheMarkFails)
{
    for (const std::string& bytes : {std::string("TEXT\r\n"), std::string(), std::string("\xFF")}) {
        host::testing::ClearMessageBoxes();
        const std::string eight = testfiles::WriteBytes("eight.ini", bytes);
        EXPECT_TRUE(LoadPanelFile(settings, testfiles::Utf16(eight).c_str()));
        EXPECT_EQ((std::vector<std::string>{"Fehler|Die Datei ist leer oder nicht im Unicode Format:\n" + eight}),
                  Boxes());
        EXPECT_EQ(0x10010u, host::testing::MessageBoxes()[0].style);
    }
    EXPECT_TRUE(settings.Objects().empty());
}

TEST_F(PanelFileLoaderTest, SectionsMakeObjectsInFileOrder)
{
    EXPECT_FALSE(Load("SPACE\r\n\r\n"
                      "TEXT and more words\r\n\r\n"
                      "MEMORY\n\n"
                      "DISKMEM\r\r"
                      "BATTERY\r\n\r\n"
                      "DATE\r\n\r\n"
                      "TIME\r\n\r\n"
                      "BUTTON\r\n\r\n"
                      "BITMAPBUTTON\r\n\r\n"
                      "ICONXPBUTTON\r\n\r\n"
                      "WINDOWSBUTTON\r\n"));
    EXPECT_EQ((std::vector<std::string>{typeid(Space).name(), typeid(Text).name(), typeid(MemoryInfo).name(),
                                        typeid(DiskInfo).name(), typeid(BatteryInfo).name(), typeid(DateInfo).name(),
                                        typeid(TimeInfo).name(), typeid(CommandButton).name(),
                                        typeid(BitmapButton).name(), typeid(IconXPButton).name(),
                                        typeid(WindowsButton).name()}),
              Kinds());
    // DATE and TIME refresh every ten minutes and every minute.
    EXPECT_EQ(600000u, settings.Objects()[5]->Interval());
    EXPECT_EQ(60000u, settings.Objects()[6]->Interval());
}

TEST_F(PanelFileLoaderTest, ProcessorAndNetworkSectionsMakeTheirGauges)
{
    EXPECT_FALSE(Load("CPU\r\nCpuBar = 1\r\n\r\nNETWORK\r\nInterface = eth0\r\n\r\nCPUS\r\n\r\nNET\r\n"));
    EXPECT_EQ((std::vector<std::string>{typeid(CpuInfo).name(), typeid(NetworkInfo).name(), typeid(CpuInfo).name()}),
              Kinds());
    // Both refresh every second; "NET" is no keyword.
    EXPECT_EQ(1000u, settings.Objects()[1]->Interval());
    EXPECT_EQ((std::vector<std::string>{kUnknownType + "NET"}), Boxes());
}

// A bad key of a graph is reported in its box and on the channel; the graph
// and the rest of the panel load.
TEST_F(PanelFileLoaderTest, GraphWithBadKeysLoadsWithTheRest)
{
    EXPECT_FALSE(Load("GRAPH\r\nSource = GPU\r\nHeight = 0\r\nStyle = Line\r\n\r\n"
                      "TEMPERATURE\r\nSensor = k10temp/Tctl\r\n\r\nTEXT\r\n"));
    EXPECT_EQ((std::vector<std::string>{typeid(GraphInfo).name(), typeid(TemperatureInfo).name(),
                                        typeid(Text).name()}),
              Kinds());
    EXPECT_EQ((std::vector<std::string>{"GraphInfo - Ignoriere Fehler:|Source = GPU",
                                        "GraphInfo - Ignoriere Fehler:|Height = 0"}),
              Boxes());
    EXPECT_EQ(40, settings.Objects()[0]->Height());
    const auto& channel = host::testing::DebugOutput();
    ASSERT_EQ(channel.size(), 2u);
    EXPECT_NE(channel[0].find("panel.ini(2): "), std::string::npos) << channel[0];
    EXPECT_NE(channel[1].find("panel.ini(3): "), std::string::npos) << channel[1];
}

TEST_F(PanelFileLoaderTest, IntervalKeyOverridesTheDateDefault)
{
    EXPECT_FALSE(Load("DATE\r\nInterval = 5000\r\n"));
    EXPECT_EQ(5000u, settings.Objects()[0]->Interval());
}

TEST_F(PanelFileLoaderTest, HeaderInsideASectionIsAKeyLine)
{
    EXPECT_FALSE(Load("TEXT\r\nText = a\r\nTIME\r\nText = b\r\n"));
    EXPECT_EQ((std::vector<std::string>{typeid(Text).name()}), Kinds());
    EXPECT_EQ((std::vector<std::string>{kUnknownKey + "TIME"}), Boxes());
}

TEST_F(PanelFileLoaderTest, LinesOutsideASectionAreUnknownTypes)
{
    EXPECT_FALSE(Load("TEXT\r\n\r\nHeight = 2\r\n[TEXT]\r\nText\r\n TEXT\r\nSPACE\r\nSpace = 4\r\n"));
    EXPECT_EQ((std::vector<std::string>{typeid(Text).name(), typeid(Space).name()}), Kinds());
    EXPECT_EQ((std::vector<std::string>{kUnknownType + "Height = 2", kUnknownType + "[TEXT]", kUnknownType + "Text",
                                        kUnknownType + " TEXT"}),
              Boxes());
    EXPECT_EQ(0x10030u, host::testing::MessageBoxes()[0].style);
    EXPECT_EQ(nullptr, host::testing::MessageBoxes()[0].owner);
}

TEST_F(PanelFileLoaderTest, CommentsAreSkippedWithoutEndingTheSection)
{
    EXPECT_FALSE(Load("# panel\r\nSPACE\r\n; note\r\nSpace = 5\r\n/ note\r\n' note\r\n( note\r\nSpace = 6\r\n"));
    ASSERT_EQ(1u, settings.Objects().size());
    EXPECT_EQ(6, settings.Objects()[0]->Height());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(PanelFileLoaderTest, SeveralSettingsSectionsFeedOneSettings)
{
    EXPECT_FALSE(Load("GLOBALSETTINGS\r\nWidth = 50\r\nBorder = 1\r\n\r\n"
                      "SPACE\r\nHeight = 4\r\n\r\n"
                      "GLOBALSETTINGS\r\nWidth = 60\r\nColor = 1\r\n"));
    EXPECT_EQ(60, settings.Width());
    EXPECT_EQ(1, settings.Border());
    EXPECT_EQ((std::vector<std::string>{"GlobalSettings - Ignoriere unbekannten Wert:|Color = 1"}), Boxes());
    // Loading ends with the layout: stacked, inside the border.
    EXPECT_EQ(1, settings.Objects()[0]->X());
    EXPECT_EQ(1, settings.Objects()[0]->Y());
    EXPECT_EQ(58, settings.Objects()[0]->Width());
}

TEST_F(PanelFileLoaderTest, PanelFolderResolvesFileKeysOnlyWhileLoading)
{
    EXPECT_FALSE(Load("GLOBALSETTINGS\r\nBackgroundBitmap = back.bmp\r\n\r\nSPACE\r\n", "sub/panel.ini"));
    EXPECT_EQ(testfiles::Utf16(testfiles::TempFolder() + "sub/back.bmp"), std::u16string(settings.BackgroundBitmap()));
    EXPECT_EQ(nullptr, settings.BaseFolder());
    EXPECT_EQ(nullptr, settings.Objects()[0]->BaseFolder());
}

TEST_F(PanelFileLoaderTest, LongLinesAreCutIntoSeveral)
{
    // 259 characters make one line; the rest is a line of its own.
    const std::string key = "Space = 7" + std::string(250, ' ');
    EXPECT_FALSE(Load("GLOBALSETTINGS\r\nArrange = No\r\n\r\nSPACE\r\n" + key + "Y = 3\r\n"));
    ASSERT_EQ(1u, settings.Objects().size());
    EXPECT_EQ(7, settings.Objects()[0]->Height());
    EXPECT_EQ(3, settings.Objects()[0]->Y());
}

}  // namespace
