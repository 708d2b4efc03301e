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

std::string CheckFinding(const std::string& line, bool& isError, std::string& file)
{
    static const std::regex withLine(R"(^(.+?)\((\d+)\): (.*)$)");
    static const std::regex withoutLine(R"(^(/[^:]*): (.*)$)");
    std::smatch match;
    std::string place;
    std::string message = line;
    file.clear();
    if (std::regex_match(line, match, withLine)) {
        file = match[1];
        place = file + ":" + match[2].str() + ": ";
        message = match[3];
    } else if (std::regex_match(line, match, withoutLine)) {
        file = match[1];
        place = file + ": ";
        message = match[2];
    }
    static const std::string kWarning = "warning: ";
    isError = message.rfind(kWarning, 0) != 0;
    if (!isError)
        return place + message;
    return place + "error: " + Explain(message, file) + " [" + message + "]";
}

CheckSummary WriteCheckReport(const std::vector<std::string>& lines, FILE* out)
{
    CheckSummary summary;
    std::vector<std::string> files;
    for (const std::string& line : lines) {
        bool isError = false;
        std::string file;
        fprintf(out, "%s\n", CheckFinding(line, isError, file).c_str());
        ++(isError ? summary.errors : summary.warnings);
        if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    }
    summary.files = static_cast<int>(files.size());
    const auto counted = [](int count, const char* one, const char* many) {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    };
    fprintf(out, "%s, %s in %s\n", counted(summary.errors, "error", "errors").c_str(),
            counted(summary.warnings, "warning", "warnings").c_str(), counted(summary.files, "file", "files").c_str());
    return summary;
}

}  // namespace host
