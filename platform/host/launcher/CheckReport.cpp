#include "platform/host/launcher/CheckReport.h"

#include <algorithm>
#include <regex>

namespace host {
namespace {

// What each of the program's messages means for the panel, by the beginning
// of "CAPTION TEXT", or by the end of the caption for the per-section
// captions ("Text - Ignoriere Fehler:"), so that new sections are explained
// as well. The first that matches wins.
struct Explanation {
    const char* begins;   // "CAPTION TEXT" begins with this, or
    const char* caption;  // the caption ends with this (the text follows it)
    const char* meaning;  // ending in ": " when the iconv line follows
};

constexpr Explanation kExplanations[] = {
    {"Fehler Die Datei ist leer oder nicht im Unicode Format:", nullptr,
     "the file is empty or not UTF-16 with the byte-order mark, so the program cannot read it; convert a UTF-8 "
     "file with: "},
    {"Fehler Das Hintergrundbild", nullptr,
     "the background picture cannot be loaded, so the panel shows its BackgroundColor alone; name an existing .bmp "
     "file, relative to the panel file"},
    {"Datei nicht gefunden:", nullptr,
     "the panel file cannot be opened, so this panel is not shown; check the file name on this line (relative to "
     "the folder of the file that names it)"},
    {"Datei kann nicht gefunden werden.", nullptr,
     "the panel list cannot be opened, so the program shows nothing and ends; name an existing list"},
    {"the list names no panel file", nullptr,
     "every line of the list is empty or a comment, so the program shows nothing and ends; add a line that names a "
     "panel file, relative to the list's folder"},
    {"Das Panel ist größer als das Vierfache des Bildschirms.", nullptr,
     "the panel is more than four times as wide or as tall as the screen, so it is not shown; make Width, Height, "
     "Border or its objects smaller"},
    {"Keine gültige Icondatei:", nullptr,
     "the file is not an icon file, so the button shows \"no icon\"; name an .ico file"},
    {"Enthält keine Icons:", nullptr,
     "the icon file holds no icon, so the button shows \"no icon\"; name another one"},
    {"Kein 32Bit Icon gefunden:", nullptr,
     "the icon file has no 32-bit picture of the size asked for, so the button shows \"no icon\"; set SizeNormal or "
     "SizePushed before the icon line, to a size the file has"},
    {nullptr, "Ignoriere unbekannten Typ:",
     "this line stands outside a section and begins with no section keyword, so it is ignored; begin sections with "
     "their keyword in capitals (TEXT, BUTTON, ...) and leave no empty line inside a section"},
    {nullptr, "Ignoriere unbekannten Wert:",
     "no key of this section begins like this line, so it is ignored; keys are case-sensitive (see \"Writing "
     "panels\" in the README)"},
    {nullptr, "Ignoriere Fehler:",
     "the key's value is missing, too short or not one the key takes, so the line is ignored; write Key = value "
     "(colours as six digits RRGGBB)"},
};

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Explain(const std::string& message, const std::string& file)
{
    for (const Explanation& explanation : kExplanations) {
        if (explanation.begins && message.rfind(explanation.begins, 0) == 0) {
            std::string meaning = explanation.meaning;
            if (EndsWith(meaning, ": "))
                meaning += "(printf '\\377\\376'; iconv -f UTF-8 -t UTF-16LE '" + file + "') > '" + file +
                           ".new' && mv '" + file + ".new' '" + file + "'";
            return meaning;
        }
        if (explanation.caption && message.find(explanation.caption) != std::string::npos)
            return explanation.meaning;
    }
    return "the program shows this message when it loads the panel";
}

}  // namespace

namespace {

// One finding: where, the channel's own words and, for an error, what it
// means for the panel.
struct Finding {
    std::string file;
    std::string place;    // "FILE:LINE: ", "FILE: " or empty
    std::string message;  // "warning: ..." for a warning
    std::string meaning;  // errors only
    bool isError = false;

    std::string Text() const { return isError ? place + "error: " + meaning + " [" + message + "]" : place + message; }
};

Finding ParseFinding(const std::string& line)
{
    static const std::regex withLine(R"(^(.+?)\((\d+)\): (.*)$)");
    static const std::regex withoutLine(R"(^(/[^:]*): (.*)$)");
    std::smatch match;
    Finding finding;
    finding.message = line;
    if (std::regex_match(line, match, withLine)) {
        finding.file = match[1];
        finding.place = finding.file + ":" + match[2].str() + ": ";
        finding.message = match[3];
    } else if (std::regex_match(line, match, withoutLine)) {
        finding.file = match[1];
        finding.place = finding.file + ": ";
        finding.message = match[2];
    }
    finding.isError = finding.message.rfind("warning: ", 0) != 0;
    if (finding.isError)
        finding.meaning = Explain(finding.message, finding.file);
    return finding;
}

// A list whose lines name no files but begin sections ("GLOBALSETTINGS",
// "TEXT"): the name that the first such line gave, empty for other findings.
std::string SectionNamedAsPanel(const Finding& finding)
{
    static const std::string kNotFound = "Datei nicht gefunden: ";
    if (!finding.isError || finding.message.rfind(kNotFound, 0) != 0)
        return "";
    const std::string path = finding.message.substr(kNotFound.size());
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const bool keyword =
        !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    return keyword ? name : "";
}

// The findings of `lines`, each once: a warning at the place of an error
// tells what that error means, and a panel file given as a list is said once.
std::vector<Finding> CollectFindings(const std::vector<std::string>& lines)
{
    std::vector<Finding> findings;
    std::vector<std::string> seen;
    std::vector<std::string> panelsAsLists;
    for (const std::string& line : lines) {
        if (std::find(seen.begin(), seen.end(), line) != seen.end())
            continue;
        seen.push_back(line);
        Finding finding = ParseFinding(line);
        const bool isList = std::find(panelsAsLists.begin(), panelsAsLists.end(), finding.file) != panelsAsLists.end();
        if (isList && finding.message.rfind("Datei nicht gefunden: ", 0) == 0)
            continue;
        if (const std::string keyword = SectionNamedAsPanel(finding); !keyword.empty()) {
            panelsAsLists.push_back(finding.file);
            finding.meaning = finding.file + " looks like a panel file, not a list: it begins with " + keyword +
                              "; name a list, whose lines name panel files";
        }
        const auto error = std::find_if(findings.begin(), findings.end(), [&](const Finding& earlier) {
            return earlier.isError && !finding.place.empty() && earlier.place == finding.place;
        });
        if (!finding.isError && error != findings.end()) {
            error->meaning = finding.message.substr(std::string("warning: ").size());
            continue;
        }
        findings.push_back(finding);
    }
    return findings;
}

}  // namespace

std::string CheckFinding(const std::string& line, bool& isError, std::string& file)
{
    const Finding finding = ParseFinding(line);
    isError = finding.isError;
    file = finding.file;
    return finding.Text();
}

CheckSummary WriteCheckReport(const std::vector<std::string>& lines, int panels, FILE* out)
{
    CheckSummary summary;
    std::vector<std::string> files;
    for (const Finding& finding : CollectFindings(lines)) {
        fprintf(out, "%s\n", finding.Text().c_str());
        ++(finding.isError ? summary.errors : summary.warnings);
        if (!finding.file.empty() && std::find(files.begin(), files.end(), finding.file) == files.end())
            files.push_back(finding.file);
    }
    summary.files = static_cast<int>(files.size());
    const auto counted = [](int count, const char* one, const char* many) {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    };
    const std::string checked = "checked 1 list, " + counted(panels, "panel", "panels") + ": ";
    if (summary.errors + summary.warnings == 0)
        fprintf(out, "%sno findings\n", checked.c_str());
    else
        fprintf(out, "%s%s, %s in %s\n", checked.c_str(), counted(summary.errors, "error", "errors").c_str(),
                counted(summary.warnings, "warning", "warnings").c_str(),
                counted(summary.files, "file", "files").c_str());
    return summary;
}

}  // namespace host
