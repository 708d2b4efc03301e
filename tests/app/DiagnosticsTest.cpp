#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/PanelList.h"
#include "app/PanelMessages.h"
#include "app/PanelWindows.h"
#include "platform/host/kernel/ProcFile.h"
#include "platform/host/testing.h"
#include "tests/app/PanelTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kFolder = OSTREVIA_TEST_DATA "/diagnostics/";

class DiagnosticsTest : public paneltest::PanelFixture {
protected:
    // Opens the panels of tests/data/diagnostics/list.ini as a start does.
    void ReadBrokenPanels()
    {
        host::testing::SetModuleFileName(kFolder + "ostrevia");
        RegisterPanelClass(GetModuleHandleW(nullptr));
        ReadPanelList(GetModuleHandleW(nullptr), TEXT("list.ini"));
    }
};

// Each finding once, at its file and line; the files end their lines with
// LF (settings_lf.ini), CR (sections_cr.ini, wide_cr.ini) and CR LF (the rest).
TEST_F(DiagnosticsTest, EveryFindingNamesItsFileAndLine)
{
    ReadBrokenPanels();
    const std::vector<std::string> expected = {
        // An unknown key: the box's caption and text; its case-blind twin.
        "settings_lf.ini(3): GlobalSettings - Ignoriere unbekannten Wert: Topmost = 1",
        "settings_lf.ini(3): warning: keys are case-sensitive: this line is ignored; write the key as \"TopMost\"",
        "settings_lf.ini(4): warning: \"FlyAround\" is no animation name",
        "settings_lf.ini(5): warning: \"abc\" is not a number",
        "settings_lf.ini(6): warning: \"#203040\" is not a colour: a leading \"#\"",
        // Reported after loading, at the GLOBALSETTINGS header.
        "settings_lf.ini(2): warning: the panel (128 x 4 pixels on a screen of 240 x 320) lies wholly off the screen",
        // The background picture: at the line of its key.
        "settings_lf.ini(8): Fehler Das Hintergrundbild kann nicht gefunden werden",
        "sections_cr.ini(3): warning: \"ff0000\" is not a colour of six hexadecimal digits",
        "sections_cr.ini(4): DesktopObject - Ignoriere unbekannten Wert: width = 50",
        "sections_cr.ini(4): warning: keys are case-sensitive: this line is ignored; write the key as \"Width\"",
        "sections_cr.ini(5): Text - Ignoriere Fehler: Size",
        "sections_cr.ini(7): Ostrevia - Ignoriere unbekannten Typ: Text = stray",
        "sections_cr.ini(8): Ostrevia - Ignoriere unbekannten Typ: [TIME]",
        "buttons_crlf.ini(2): warning: NewIni without ShutDownAnimation",
        "buttons_crlf.ini(5): warning: the whole text \"/bin/sh -c true\" is taken as the program's name",
        "buttons_crlf.ini(8): warning: \"/no/such/program\" cannot be found or started",
        "buttons_crlf.ini(14): warning: the program's closing quote is missing",
        "buttons_crlf.ini(18): warning: the panel file \"" + kFolder + "nowhere.ini\" cannot be opened",
        // A missing panel file: at the list's line that names it.
        "list.ini(5): Datei nicht gefunden: " + kFolder + "missing.ini",
        // Not UTF-16: at the file's first line, where the mark belongs.
        "plain.ini(1): Fehler Die Datei ist leer oder nicht im Unicode Format: " + kFolder + "plain.ini",
        "wide_cr.ini(4): warning: the panel (900 x 13 pixels on a screen of 240 x 320) is larger than the screen",
    };
    const std::vector<std::string>& lines = host::testing::DebugOutput();
    ASSERT_EQ(expected.size(), lines.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(0u, lines[i].rfind(kFolder + expected[i], 0)) << lines[i];
}

TEST_F(DiagnosticsTest, EveryMessageBoxAlsoGoesToTheChannelFirst)
{
    ReadBrokenPanels();
    std::vector<std::string> boxLines;
    for (const std::string& line : host::testing::DebugOutput()) {
        if (line.find(": warning: ") == std::string::npos)
            boxLines.push_back(line.substr(line.find("): ") + 3));
    }
    const auto& boxes = host::testing::MessageBoxes();
    ASSERT_EQ(boxes.size(), boxLines.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
        std::string text = testfiles::Utf8(boxes[i].text);
        std::replace(text.begin(), text.end(), '\n', ' ');
        EXPECT_EQ(testfiles::Utf8(boxes[i].caption) + " " + text, boxLines[i]);
    }
}

// A long line read in pieces is one line: the next line keeps its number.
TEST_F(DiagnosticsTest, LongLineCountsOnce)
{
    const std::string path =
        paneltest::WritePanel("long.ini", "TEXT\r\nText = " + std::string(600, 'x') + "\r\nwidth = 5\r\n");
    EXPECT_TRUE(paneltest::OpenPanel(path));
    const std::vector<std::string>& lines = host::testing::DebugOutput();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(0u, lines.back().rfind(path + "(3): warning: keys are case-sensitive", 0)) << lines.back();
}

TEST_F(DiagnosticsTest, ValidPanelSaysNothing)
{
    const std::string path = paneltest::WritePanel(
        "fine.ini", "GLOBALSETTINGS\r\nX = -1\r\nBackgroundColor = 203040\r\nTopMost = 1\r\n\r\nTEXT\r\nText = Hi\r\n"
                    "Color = FFFFFF\r\n\r\nBUTTON\r\nNewIni = fine.ini\r\nShutDownAnimation = FlyLeft\r\n");
    EXPECT_TRUE(paneltest::OpenPanel(path));
    EXPECT_TRUE(host::testing::DebugOutput().empty());
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

// A panel whose every line after the header is a warning.
std::string PanelOfWarnings(int warnings)
{
    std::string text = "GLOBALSETTINGS\r\nStartUpAnimation = NoAnimation\r\n";
    for (int i = 0; i < warnings; ++i)
        text += "Distance = abc\r\n";
    return text;
}

// Sends stderr to `path` while it lives.
class StderrTo {
public:
    explicit StderrTo(const std::string& path) : saved_(dup(STDERR_FILENO))
    {
        fflush(stderr);
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrTo()
    {
        fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    StderrTo(const StderrTo&) = delete;
    StderrTo& operator=(const StderrTo&) = delete;

private:
    int saved_;
};

std::vector<std::string> LinesOf(const std::string& path)
{
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// On stderr a load says 100 lines of a file and then how many more there
// are; the program looking for its next message ends the load.
TEST_F(DiagnosticsTest, StderrHoldsBackAllButAHundredFindingsOfALoad)
{
    const std::string path = paneltest::WritePanel("warnings.ini", PanelOfWarnings(1000));
    const std::string out = testfiles::TempFolder() + "stderr.txt";
    {
        const StderrTo redirected(out);
        ASSERT_TRUE(paneltest::OpenPanel(path));
        host::testing::RunPending();
    }
    const std::vector<std::string> lines = LinesOf(out);
    ASSERT_EQ(101u, lines.size());
    EXPECT_EQ(0u, lines[99].rfind("ostrevia: " + path + "(102): warning: \"abc\" is not a number", 0)) << lines[99];
    EXPECT_EQ("ostrevia: " + path + ": 900 more findings; ostrevia --check " + path + " lists them all", lines[100]);
    // The tests' own record keeps all of them.
    EXPECT_EQ(1000u, host::testing::DebugOutput().size());
}

// What the program reports is not kept for the whole run: reloads of a
// panel full of warnings leave its memory where it was.
TEST_F(DiagnosticsTest, ReloadsOfAPanelFullOfWarningsKeepMemoryFlat)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's quarantine keeps freed memory resident";
#endif
    host::testing::KeepRecords(false);
    const std::string path = paneltest::WritePanel("warnings.ini", PanelOfWarnings(1000));
    const StderrTo quiet("/dev/null");
    const HWND window = paneltest::OpenPanel(path);
    ASSERT_TRUE(window);
    host::ProcFile status("/proc/self/status");
    const auto reload = [window] {
        ASSERT_EQ(1, SendMessageW(window, WM_RELOADPANEL, 0, 0));
        host::testing::RunPending();
    };
    reload();
    const unsigned long long first = host::KilobyteEntry(status.Read(), "VmRSS");
    for (int i = 0; i < 1000; ++i)
        reload();
    const unsigned long long last = host::KilobyteEntry(status.Read(), "VmRSS");
    EXPECT_LE(last, first + (1u << 20)) << first << " bytes after the first reload";
}

}  // namespace
