#include "buttons/Command.h"

#include <memory>

#include "tests/buttons/ButtonTest.h"
#include "tests/support/TestFiles.h"

namespace {

using host::testing::Launches;
using host::testing::MessageBoxes;
using testfiles::Utf16;

class CommandTest : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        host::testing::RecordLaunches(true);
    }

    std::unique_ptr<Command> MakeCommand(const std::string& text)
    {
        auto command = std::make_unique<Command>(Panel());
        command->SetText(Utf16(text).c_str());
        return command;
    }
};

std::vector<UINT> MessageIds(const std::vector<MSG>& messages)
{
    std::vector<UINT> ids;
    for (const MSG& message : messages)
        ids.push_back(message.message);
    return ids;
}

struct SplitCase {
    std::string text;
    std::string program;
    std::vector<std::string> arguments;
};

TEST_F(CommandTest, SplitsAQuotedProgramFromItsParameters)
{
    const std::string spaced = MakeProgram("my tools/run");
    const std::string plain = MakeProgram("run");
    // A program whose name holds what looks like a parameter.
    const std::string whole = MakeProgram("my tools/run -x");
    const SplitCase cases[] = {
        // Blanks after the closing quote are dropped.
        {"\"" + spaced + "\"   -x", spaced, {"-x"}},
        // Without a leading quote, blanks belong to the program name.
        {spaced + " -x", whole, {}},
        // Only blanks after the quote: no parameters.
        {"\"" + plain + "\"   ", plain, {}},
        // A tab is no blank to drop: it stays in the parameters.
        {"\"" + plain + "\"\t-x", plain, {"-x"}},
        // No separator needed after the closing quote.
        {"\"" + plain + "\"-x", plain, {"-x"}},
        // The parameters are handed on as they are, quotes included.
        {"\"" + plain + "\" \"a b\" c", plain, {"a b", "c"}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.text);
        const size_t before = Launches().size();
        MakeCommand(c.text)->Execute();
        ASSERT_EQ(Launches().size(), before + 1);
        EXPECT_EQ(Launches().back().program, c.program);
        EXPECT_EQ(Launches().back().arguments, c.arguments);
    }
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(CommandTest, AdjacentQuotesHandAnEmptyProgramToTheShell)
{
    MakeCommand("\"\" -x")->Execute();
    // An empty program name starts nothing, and a failed launch is silent.
    EXPECT_TRUE(Launches().empty());
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(CommandTest, MissingClosingQuoteIsReportedAndKeepsThePanelOpen)
{
    for (const char* text : {"\"", "\"/opt/run -x", "\"/opt/run\\"}) {
        SCOPED_TRACE(text);
        host::testing::ClearMessageBoxes();
        const auto command = MakeCommand(text);
        command->SetQuitOnExecute(true);
        command->Execute();
        ASSERT_EQ(MessageBoxes().size(), 1u);
        EXPECT_EQ(MessageBoxes()[0].owner, Panel());
        EXPECT_EQ(MessageBoxes()[0].caption, u"Fehlendes \" im Command:");
        EXPECT_EQ(MessageBoxes()[0].text, Utf16(text));
        EXPECT_EQ(MessageBoxes()[0].style, 0x10u);
        EXPECT_TRUE(TakePostedMessages().empty());
    }
    EXPECT_TRUE(Launches().empty());
}

TEST_F(CommandTest, StoredTextIsTheSameAfterALaunch)
{
    const std::string program = MakeProgram("run");
    const auto command = MakeCommand("\"" + program + "\" -x");
    command->Execute();
    EXPECT_EQ(std::u16string(command->Text()), Utf16("\"" + program + "\" -x"));
    command->Execute();
    ASSERT_EQ(Launches().size(), 2u);
    EXPECT_EQ(Launches()[1].program, program);
    EXPECT_EQ(Launches()[1].arguments, std::vector<std::string>{"-x"});
}

TEST_F(CommandTest, QuitOnExecutePostsCloseAfterTheLaunch)
{
    const auto command = MakeCommand(MakeProgram("run"));
    command->SetQuitOnExecute(true);
    command->Execute();
    EXPECT_EQ(Launches().size(), 1u);
    const std::vector<MSG> posted = TakePostedMessages();
    ASSERT_EQ(MessageIds(posted), std::vector<UINT>{WM_CLOSE});
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_EQ(posted[0].lParam, 0);
}

TEST_F(CommandTest, QuitOnExecuteWithoutTextOnlyCloses)
{
    Command command(Panel());
    command.SetQuitOnExecute(true);
    command.Execute();
    EXPECT_TRUE(Launches().empty());
    EXPECT_EQ(MessageIds(TakePostedMessages()), std::vector<UINT>{WM_CLOSE});
}

TEST_F(CommandTest, CommandWithoutTextOrQuitDoesNothing)
{
    Command(Panel()).Execute();
    EXPECT_TRUE(Launches().empty());
    EXPECT_TRUE(TakePostedMessages().empty());
}

TEST_F(CommandTest, PanelSwitchPostsOpenPanelWithItsOwnTextThenClose)
{
    const auto command = MakeCommand("/panels/next.ini");
    command->SetPanelSwitch(FlyLeft);
    command->SetQuitOnExecute(true);
    command->Execute();
    EXPECT_TRUE(Launches().empty());
    const std::vector<MSG> posted = TakePostedMessages();
    ASSERT_EQ(MessageIds(posted), (std::vector<UINT>{WM_OPENPANEL, WM_CLOSE}));
    // The panel reads the path from the command's own text.
    EXPECT_EQ(reinterpret_cast<const WCHAR*>(posted[0].wParam), command->Text());
    EXPECT_EQ(std::u16string(reinterpret_cast<const WCHAR*>(posted[0].wParam)), u"/panels/next.ini");
    EXPECT_EQ(posted[0].lParam, FlyLeft);
}

TEST_F(CommandTest, PanelSwitchDoesNotSplitQuotes)
{
    const auto command = MakeCommand("\"unclosed.ini");
    command->SetPanelSwitch(NoAnimation);
    command->Execute();
    EXPECT_TRUE(MessageBoxes().empty());
    const std::vector<MSG> posted = TakePostedMessages();
    ASSERT_EQ(MessageIds(posted), std::vector<UINT>{WM_OPENPANEL});
    EXPECT_EQ(posted[0].lParam, NoAnimation);
}

}  // namespace
