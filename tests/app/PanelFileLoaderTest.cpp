#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/GlobalSettings.h"
#include "app/PanelFileLoader.h"
#include "objects/DesktopObject.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

class PanelFileLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { host::testing::ResetHost(); }

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

    std::vector<int> Heights() const
    {
        std::vector<int> heights;
        for (const auto& object : settings.Objects())
            heights.push_back(object->Height());
        return heights;
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
    EXPECT_FALSE(Load("SPACE\r\nHeight = 1\r\n\r\n"
                      "TEXT and more words\r\nHeight = 2\r\n\r\n"
                      "MEMORY\nHeight = 3\n\n"
                      "DISKMEM\rHeight = 4\r\r"
                      "BATTERY\r\nHeight = 5\r\n\r\n"
                      "DATE\r\nHeight = 6\r\n\r\n"
                      "TIME\r\nHeight = 7\r\n\r\n"
                      "BUTTON\r\nHeight = 8\r\n\r\n"
                      "BITMAPBUTTON\r\nHeight = 9\r\n\r\n"
                      "ICONXPBUTTON\r\nHeight = 10\r\n\r\n"
                      "WINDOWSBUTTON\r\nHeight = 11\r\n"));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), Heights());
    EXPECT_TRUE(Boxes().empty());
    // DATE and TIME refresh every ten minutes and every minute.
    EXPECT_EQ(600000u, settings.Objects()[5]->Interval());
    EXPECT_EQ(60000u, settings.Objects()[6]->Interval());
    EXPECT_EQ(0u, settings.Objects()[0]->Interval());
}

TEST_F(PanelFileLoaderTest, HeaderInsideASectionIsAKeyLine)
{
    EXPECT_FALSE(Load("TEXT\r\nHeight = 2\r\nTIME\r\nHeight = 3\r\n"));
    EXPECT_EQ((std::vector<int>{3}), Heights());
    EXPECT_EQ((std::vector<std::string>{kUnknownKey + "TIME"}), Boxes());
}

TEST_F(PanelFileLoaderTest, LinesOutsideASectionAreUnknownTypes)
{
    EXPECT_FALSE(Load("TEXT\r\n\r\nHeight = 2\r\n[TEXT]\r\nText\r\n TEXT\r\nSPACE\r\nHeight = 4\r\n"));
    EXPECT_EQ((std::vector<int>{0, 4}), Heights());
    EXPECT_EQ((std::vector<std::string>{kUnknownType + "Height = 2", kUnknownType + "[TEXT]", kUnknownType + "Text",
                                        kUnknownType + " TEXT"}),
              Boxes());
    EXPECT_EQ(0x10030u, host::testing::MessageBoxes()[0].style);
    EXPECT_EQ(nullptr, host::testing::MessageBoxes()[0].owner);
}

TEST_F(PanelFileLoaderTest, CommentsAreSkippedWithoutEndingTheSection)
{
    EXPECT_FALSE(Load("# panel\r\nSPACE\r\n; note\r\nWidth = 5\r\n/ note\r\n' note\r\n( note\r\nHeight = 6\r\n"));
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
    const std::string key = "Height = 7" + std::string(249, ' ');
    EXPECT_FALSE(Load("GLOBALSETTINGS\r\nArrange = No\r\n\r\nSPACE\r\n" + key + "Width = 3\r\n"));
    ASSERT_EQ(1u, settings.Objects().size());
    EXPECT_EQ(7, settings.Objects()[0]->Height());
    EXPECT_EQ(3, settings.Objects()[0]->Width());
}

}  // namespace
