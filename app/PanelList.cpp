#include "app/PanelList.h"

#include "app/FileFingerprint.h"
#include "app/PanelWindows.h"
#include "app/UnicodeFile.h"
#include "config/Diagnostics.h"
#include "config/LoadFindings.h"
#include "config/LineReader.h"
#include "config/Paths.h"
#include "config/TextParsing.h"

namespace {

// List lines are read with room for 255 characters; a longer line is taken
// as several.
constexpr UINT kListLineCapacity = 256;

bool IsListComment(WCHAR first)
{
    return first == TEXT('#') || first == TEXT('/') || first == TEXT(';');
}

}  // namespace

void PanelListPath(const WCHAR* commandLine, WCHAR (&path)[kMaxPath])
{
    const WCHAR* name = commandLine && commandLine[0] ? commandLine : TEXT("KalmiSettings.ini");
    path[0] = 0;
    UINT length = ExeRelativePath(path, kMaxPath, name);
    // A quoted command line leaves its closing quote behind.
    while (length > 1 && path[length - 1] == TEXT('"'))
        path[--length] = 0;
}

ULONGLONG ReadPanelList(HINSTANCE instance, const WCHAR* commandLine)
{
    WCHAR path[kMaxPath];
    PanelListPath(commandLine, path);

    WCHAR folder[kMaxPath];
    CopyText(path, folder, kMaxPath);
    const UINT folderLength = FolderLength(folder);
    // A path without any separator keeps its first character as the folder.
    folder[folderLength > 0 || folder[0] == 0 ? folderLength : 1] = 0;

    LoadFindings load(LoadFindings::Boxes::Shown);
    DiagnosticPlace place(path);
    HANDLE file = OpenUnicodeFile(path, TEXT("Datei kann nicht gefunden werden."), 0);
    if (file == INVALID_HANDLE_VALUE)
        return FileFingerprint(path);
    const ULONGLONG fingerprint = FileFingerprint(file);
    WCHAR line[kListLineCapacity];
    UINT number = 1;
    bool namesPanel = false;
    while (HasMoreLines(file)) {
        bool ended = false;
        ReadLine(file, line, kListLineCapacity, &ended);
        place.SetLine(number);
        if (ended)
            ++number;
        if (line[0] == 0 || IsListComment(line[0]))
            continue;
        WCHAR panelPath[kMaxPath];
        JoinPath(panelPath, kMaxPath, line, folder);
        CreatePanelWindow(panelPath, instance);
        namesPanel = true;
    }
    CloseHandle(file);
    // Without this line the program would end without a word.
    if (!namesPanel)
        ReportErrorAtLine(1, {TEXT("the list names no panel file, so nothing is shown")});
    return fingerprint;
}
