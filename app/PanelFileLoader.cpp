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
#include "app/PanelFileLoader.h"

#include "app/GlobalSettings.h"
#include "app/Layout.h"
#include "app/SectionKeywords.h"
#include "app/UnicodeFile.h"
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
        MessageBoxW(nullptr, line, TEXT("Ostrevia - Ignoriere unbekannten Typ:"), MB_SETFOREGROUND | MB_ICONWARNING);
        return Mode::NoSection;
    }
    if (!section->create)
        return Mode::SettingsSection;
    std::unique_ptr<DesktopObject> object = section->create(settings.Window());
    object->SetBaseFolder(folder);
    settings.AddObject(std::move(object));
    return Mode::ObjectSection;
}

void ReadSections(HANDLE file, GlobalSettings& settings, const WCHAR* folder)
{
    Mode mode = Mode::NoSection;
    WCHAR line[kMaxPath];
    while (HasMoreLines(file)) {
        const UINT length = ReadLine(file, line, kMaxPath);
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
            settings.Objects().back()->ParseKey(line, length, true);
            break;
        case Mode::SettingsSection:
            settings.ParseKey(line, length, true);
            break;
        }
    }
}

}  // namespace

bool LoadPanelFile(GlobalSettings& settings, const WCHAR* path)
{
    HANDLE file = OpenUnicodeFile(path, TEXT("Datei nicht gefunden:"), FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE)
        return true;

    // File names in the keys resolve against the panel file's folder; the
    // text lives only while the file is read.
    WCHAR folder[kMaxPath];
    CopyText(path, folder, kMaxPath);
    folder[FolderLength(folder)] = 0;
    settings.SetBaseFolder(folder);
    ReadSections(file, settings, folder);
    CloseHandle(file);
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
