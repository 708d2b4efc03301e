// The panel file: UTF-16LE with the byte-order mark, lines ending in CR LF,
// LF or CR, at most 259 characters (a longer line is read as several).
//
//   - A line beginning with "#", "/", ";", "'" or "(" is a comment wherever
//     it stands; it does not end a section.
//   - An empty line ends the current section.
//   - While no section is open, a line that begins with a section keyword
//     (SectionKeywords.cpp) opens that section; any other line is reported
//     as an unknown type.
//   - While a section is open, every other line is a key line of it, even
//     one that begins with a keyword: sections are separated by empty lines.
//
// Several GLOBALSETTINGS sections feed the same settings; later keys win.
//
// Lines are counted from 1 for the diagnostics channel, a long line read in
// pieces counting once.
#include "app/PanelFileLoader.h"

#include "app/FileFingerprint.h"
#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "app/SectionKeywords.h"
#include "app/UnicodeFile.h"
#include "config/Diagnostics.h"
#include "config/LineReader.h"
#include "config/Paths.h"
#include "config/TextParsing.h"
#include "objects/DesktopObject.h"

namespace {

enum class Mode {
    NoSection,
    ObjectSection,    // key lines go to the last object of the list
    SettingsSection,  // key lines go to the settings
};

bool IsComment(WCHAR first)
{
    return first == TEXT('#') || first == TEXT('/') || first == TEXT(';') || first == TEXT('\'') ||
           first == TEXT('(');
}

Mode OpenSection(GlobalSettings& settings, const WCHAR* line, const WCHAR* folder)
{
    const SectionKeyword* section = FindSectionKeyword(line);
    if (!section) {
        ConfigMessageBox(nullptr, line, TEXT("Ostrevia - Ignoriere unbekannten Typ:"),
                         MB_SETFOREGROUND | MB_ICONWARNING);
        return Mode::NoSection;
    }
    if (!section->create) {
        settings.NoteSectionLine(CurrentDiagnosticLine());
        return Mode::SettingsSection;
    }
    std::unique_ptr<DesktopObject> object = section->create(settings.Window());
    object->SetBaseFolder(folder);
    settings.AddObject(std::move(object));
    return Mode::ObjectSection;
}

// A rejected key line that a known key matches when case is ignored, or
// that begins with a word close to a known key.
void ReportKeyCase(const DiagnosticPlace& place, bool taken)
{
    if (taken)
        return;
    if (place.KeyIgnoringCase())
        ReportWarning({TEXT("keys are case-sensitive: this line is ignored; write the key as \""),
                       place.KeyIgnoringCase(), TEXT("\"")});
    else if (place.CloseKey())
        ReportWarning({TEXT("no key of this section is spelt so: this line is ignored; did you mean \""),
                       place.CloseKey(), TEXT("\"?")});
}

void ReadSections(HANDLE file, GlobalSettings& settings, const WCHAR* folder, DiagnosticPlace& place)
{
    Mode mode = Mode::NoSection;
    WCHAR line[kMaxPath];
    UINT number = 1;
    while (HasMoreLines(file)) {
        bool ended = false;
        const UINT length = ReadLine(file, line, kMaxPath, &ended);
        place.SetLine(number);
        if (ended)
            ++number;
        if (IsComment(line[0]))
            continue;
        if (line[0] == 0) {
            mode = Mode::NoSection;
            continue;
        }
        switch (mode) {
        case Mode::NoSection:
            mode = OpenSection(settings, line, folder);
            break;
        case Mode::ObjectSection:
            ReportKeyCase(place, settings.Objects().back()->ParseKey(line, length, true));
            break;
        case Mode::SettingsSection:
            ReportKeyCase(place, settings.ParseKey(line, length, true));
            break;
        }
    }
}

}  // namespace

bool LoadPanelFile(GlobalSettings& settings, const WCHAR* path, ULONGLONG* fingerprint)
{
    DiagnosticPlace place(path);
    HANDLE file = OpenUnicodeFile(path, TEXT("Datei nicht gefunden:"), FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) {
        if (fingerprint)
            *fingerprint = FileFingerprint(path);
        return true;
    }
    if (fingerprint)
        *fingerprint = FileFingerprint(file);

    // File names in the keys resolve against the panel file's folder; the
    // text lives only while the file is read.
    WCHAR folder[kMaxPath];
    CopyText(path, folder, kMaxPath);
    folder[FolderLength(folder)] = 0;
    settings.SetBaseFolder(folder);
    ReadSections(file, settings, folder, place);
    CloseHandle(file);
    for (const auto& object : settings.Objects())
        object->ReportPitfalls();
    settings.SetBaseFolder(nullptr);

    HDC screen = GetDC(nullptr);
    for (const auto& object : settings.Objects()) {
        object->SetBaseFolder(nullptr);
        object->Measure(screen);
    }
    ReleaseDC(nullptr, screen);
    ArrangeObjects(settings);
    return false;
}
