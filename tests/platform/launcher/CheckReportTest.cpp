#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/host/launcher/CheckReport.h"

namespace {

std::string Finding(const std::string& line, bool& isError, std::string& file)
{
    return host::CheckFinding(line, isError, file);
}

TEST(CheckReport, BoxesAreErrorsWithTheirExplanationAndOwnWords)
{
    bool isError = false;
    std::string file;
    EXPECT_EQ("/p/a.ini:7: error: no key of this section begins like this line, so it is ignored; keys are "
              "case-sensitive (see \"Writing panels\" in the README) [Text - Ignoriere unbekannten Wert: colour = 1]",
              Finding("/p/a.ini(7): Text - Ignoriere unbekannten Wert: colour = 1", isError, file));
    EXPECT_TRUE(isError);
    EXPECT_EQ("/p/a.ini", file);
    // A section that a later version adds is explained by its caption's end.
    EXPECT_EQ(0u, Finding("/p/b.ini(2): CPU - Ignoriere Fehler: Color = 12", isError, file)
                      .rfind("/p/b.ini:2: error: the key's value is missing, too short or not one the key takes", 0));
    // A message nobody has explained yet still counts, with its own words.
    EXPECT_EQ("/p/b.ini:3: error: the program shows this message when it loads the panel [Neu: x]",
              Finding("/p/b.ini(3): Neu: x", isError, file));
}

TEST(CheckReport, FileWithoutTheMarkGetsItsIconvLine)
{
    bool isError = false;
    std::string file;
    const std::string finding =
        Finding("/p/c.ini(1): Fehler Die Datei ist leer oder nicht im Unicode Format: /p/c.ini", isError, file);
    EXPECT_NE(std::string::npos,
              finding.find("(printf '\\377\\376'; iconv -f UTF-8 -t UTF-16LE '/p/c.ini') > '/p/c.ini.new' && "
                           "mv '/p/c.ini.new' '/p/c.ini' [Fehler Die Datei"))
        << finding;
}

TEST(CheckReport, WarningsAndPlacesWithoutALine)
{
    bool isError = true;
    std::string file;
    EXPECT_EQ("/p/d.ini:4: warning: \"abc\" is not a number",
              Finding("/p/d.ini(4): warning: \"abc\" is not a number", isError, file));
    EXPECT_FALSE(isError);
    EXPECT_EQ("/p/list.ini: error: the panel list cannot be opened, so the program shows nothing and ends; name an "
              "existing list [Datei kann nicht gefunden werden. /p/list.ini]",
              Finding("/p/list.ini: Datei kann nicht gefunden werden. /p/list.ini", isError, file));
    EXPECT_EQ("/p/list.ini", file);
}

std::string Report(const std::vector<std::string>& lines, int panels, host::CheckSummary& summary)
{
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    summary = host::WriteCheckReport(lines, panels, out);
    fclose(out);
    const std::string report(text, size);
    free(text);
    return report;
}

TEST(CheckReport, SummarySaysWhatWasCheckedAndCountsFindingsAndTheFilesTheyName)
{
    host::CheckSummary summary;
    const std::string report = Report(
        {"/p/a.ini(1): Text - Ignoriere Fehler: Size", "/p/a.ini(2): warning: x", "/p/b.ini(3): warning: y"}, 2,
        summary);
    EXPECT_EQ(1, summary.errors);
    EXPECT_EQ(2, summary.warnings);
    EXPECT_EQ(2, summary.files);
    EXPECT_EQ(0u, report.rfind("/p/a.ini:1: error: ", 0));
    EXPECT_EQ("checked 1 list, 2 panels: 1 error, 2 warnings in 2 files\n",
              report.substr(report.rfind('\n', report.size() - 2) + 1));
    EXPECT_EQ("checked 1 list, 1 panel: no findings\n", Report({}, 1, summary));
}

TEST(CheckReport, EachFindingOnce)
{
    host::CheckSummary summary;
    const std::string report = Report(
        {
            // A warning at an error's line says what the error means.
            "/p/a.ini(3): GlobalSettings - Ignoriere unbekannten Wert: Topmost = 1",
            "/p/a.ini(3): warning: keys are case-sensitive: this line is ignored; write the key as \"TopMost\"",
            "/p/a.ini(4): warning: x",
            "/p/a.ini(4): warning: x",
            // A panel file given as the list: its section keyword is said once,
            // none of its other lines.
            "/p/panel.ini(1): Datei nicht gefunden: /p/GLOBALSETTINGS",
            "/p/panel.ini(2): Datei nicht gefunden: /p/X = 10",
            "/p/panel.ini(4): Datei nicht gefunden: /p/TEXT",
        },
        0, summary);
    EXPECT_EQ("/p/a.ini:3: error: keys are case-sensitive: this line is ignored; write the key as \"TopMost\" "
              "[GlobalSettings - Ignoriere unbekannten Wert: Topmost = 1]\n"
              "/p/a.ini:4: warning: x\n"
              "/p/panel.ini:1: error: /p/panel.ini looks like a panel file, not a list: it begins with "
              "GLOBALSETTINGS; name a list, whose lines name panel files [Datei nicht gefunden: /p/GLOBALSETTINGS]\n"
              "checked 1 list, 0 panels: 2 errors, 1 warning in 2 files\n",
              report);
}

}  // namespace
