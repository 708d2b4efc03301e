#include "buttons/CommandButton.h"

#include <memory>

#include "tests/buttons/ButtonTest.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::Launches;
using host::testing::MessageBoxes;
using testfiles::Utf16;

class CommandButtonTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        host::testing::RecordLaunches(true);
        button_ = std::make_unique<CommandButton>(Panel());
        button_->SetBaseFolder(TEXT("/panels/"));
    }

    // A 20 x 10 button that runs a program.
    void MakeRunButton()
    {
        Feed(*button_, "Command = " + MakeProgram("run"));
        Feed(*button_, "Width = 20");
        Feed(*button_, "Height = 10");
    }

    std::unique_ptr<CommandButton> button_;
};

TEST_F(CommandButtonTest, ReleaseInsideRunsTheCommandAndOutsideRunsNothing)
{
    struct Case {
        int x, y;
        bool runs;
    };
    const Case cases[] = {
        {0, 0, true},     // top-left corner
        {19, 9, true},    // bottom-right pixel
        {20, 5, false},   // one past the right edge
        {5, 10, false},   // one past the bottom edge
        {-1, 5, false},   // left of the button
        {5, -1, false},   // above the button
    };
    MakeRunButton();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const size_t before = Launches().size();
        EXPECT_TRUE(button_->OnPress(3, 3));
        // Either way the button wants to be redrawn in its normal look.
        EXPECT_TRUE(button_->OnRelease(c.x, c.y));
        EXPECT_EQ(Launches().size() - before, c.runs ? 1u : 0u);
    }
}

TEST_F(CommandButtonTest, ReleaseWithoutPressIsIgnored)
{
    MakeRunButton();
    EXPECT_FALSE(button_->OnRelease(1, 1));
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    EXPECT_FALSE(button_->OnRelease(1, 1));
    EXPECT_EQ(Launches().size(), 1u);
}

TEST_F(CommandButtonTest, ButtonWithoutSizeNeverRuns)
{
    Feed(*button_, "Command = " + MakeProgram("run"));
    button_->OnPress(0, 0);
    button_->OnRelease(0, 0);
    EXPECT_TRUE(Launches().empty());
}

TEST_F(CommandButtonTest, NewIniWithAnimationSwitchesToThePanelFileBesideThisOne)
{
    MakeRunButton();
    Feed(*button_, "NewIni = next.ini");
    Feed(*button_, "ShutDownAnimation = FlyLeft");
    Feed(*button_, "QuitOnExecute = yes");
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    EXPECT_TRUE(Launches().empty());
    const std::vector<MSG> posted = TakePostedMessages();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_OPENPANEL));
    EXPECT_EQ(std::u16string(reinterpret_cast<const WCHAR*>(posted[0].wParam)), u"/panels/next.ini");
    EXPECT_EQ(posted[0].lParam, FlyLeft);
    EXPECT_EQ(posted[1].message, static_cast<UINT>(WM_CLOSE));
}

TEST_F(CommandButtonTest, NewIniWithoutAnimationOpensTheFileThroughTheShell)
{
    const std::string file = testfiles::WriteUtf16("other/next.ini", u"");
    const std::u16string panels = Utf16(testfiles::TempFolder() + "panels/");
    button_->SetBaseFolder(panels.c_str());
    MakeRunButton();
    Feed(*button_, "NewIni = ../other/next.ini");
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    // A document goes to the desktop's opener.
    ASSERT_EQ(Launches().size(), 1u);
    EXPECT_EQ(Launches()[0].arguments, std::vector<std::string>{file});
    EXPECT_TRUE(TakePostedMessages().empty());
}

TEST_F(CommandButtonTest, AnimationWithCommandPostsTheTextUnresolved)
{
    MakeRunButton();
    Feed(*button_, "ShutDownAnimation = RollDown");
    Feed(*button_, "Command = next.ini");
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    const std::vector<MSG> posted = TakePostedMessages();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(std::u16string(reinterpret_cast<const WCHAR*>(posted[0].wParam)), u"next.ini");
    EXPECT_EQ(posted[0].lParam, RollDown);
}

TEST_F(CommandButtonTest, LaterCommandLineReplacesTheEarlierOne)
{
    MakeRunButton();
    Feed(*button_, "NewIni = next.ini");
    const std::string last = MakeProgram("last");
    Feed(*button_, "Command = " + last);
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    ASSERT_EQ(Launches().size(), 1u);
    EXPECT_EQ(Launches()[0].program, last);
}

TEST_F(CommandButtonTest, QuitOnExecuteClosesWithoutACommand)
{
    Feed(*button_, "QuitOnExecute = 1");
    Feed(*button_, "Width = 5");
    Feed(*button_, "Height = 5");
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    EXPECT_TRUE(Launches().empty());
    const std::vector<MSG> posted = TakePostedMessages();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_CLOSE));
}

TEST_F(CommandButtonTest, RejectedLinesAreReportedUnderTheirParsersCaption)
{
    struct Case {
        const char* line;
        const char16_t* caption;
    };
    const Case cases[] = {
        {"Command", u"CommandButton - Ignoriere Fehler:"},                  // no "="
        {"NewIni =   ", u"CommandButton - Ignoriere Fehler:"},              // blanks only
        {"QuitOnExecute=", u"CommandButton - Ignoriere Fehler:"},           // empty value
        {"ShutDownAnimation = flyleft", u"CommandButton - Ignoriere Fehler:"},  // names are case-sensitive
        {"Width", u"DesktopObject - Ignoriere Fehler:"},                    // a base key without value
        {"command = x", u"DesktopObject - Ignoriere unbekannten Wert:"},    // keys are case-sensitive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        host::testing::ClearMessageBoxes();
        EXPECT_FALSE(Feed(*button_, c.line));
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].owner, nullptr);
        EXPECT_EQ(MessageBoxes()[0].caption, c.caption);
        EXPECT_EQ(MessageBoxes()[0].text, Utf16(c.line));
        EXPECT_EQ(MessageBoxes()[0].style, 0x10030u);
        // Quiet when asked to be.
        host::testing::ClearMessageBoxes();
        EXPECT_FALSE(Feed(*button_, c.line, false));
        EXPECT_TRUE(MessageBoxes().empty());
    }
}

TEST_F(CommandButtonTest, UnknownAnimationNameLeavesTheButtonLaunching)
{
    MakeRunButton();
    Feed(*button_, "ShutDownAnimation = Sideways");
    button_->OnPress(1, 1);
    button_->OnRelease(1, 1);
    EXPECT_EQ(Launches().size(), 1u);
    EXPECT_TRUE(TakePostedMessages().empty());
}

}  // namespace
