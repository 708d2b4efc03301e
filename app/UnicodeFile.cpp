#include "app/UnicodeFile.h"

#include "config/Diagnostics.h"
#include "config/Paths.h"
#include "config/TextParsing.h"

HANDLE OpenUnicodeFileQuietly(const WCHAR* path, DWORD attributes, UnicodeFileProblem& problem)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = UnicodeFileProblem::CannotOpen;
        return INVALID_HANDLE_VALUE;
    }
    BYTE mark[2] = {};
    DWORD read = 0;
    if (!ReadFile(file, mark, sizeof(mark), &read, nullptr) || read != sizeof(mark) || mark[0] != 0xFF ||
        mark[1] != 0xFE) {
        CloseHandle(file);
        problem = UnicodeFileProblem::NotUnicode;
        return INVALID_HANDLE_VALUE;
    }
    problem = UnicodeFileProblem::None;
    return file;
}

void ReportUnusableSave(const WCHAR* path, UnicodeFileProblem problem, const WCHAR* consequence)
{
    DiagnosticPlace place(path);
    ReportWarning({problem == UnicodeFileProblem::CannotOpen
                       ? TEXT("cannot be opened; ")
                       : TEXT("is empty or not UTF-16 with the byte-order mark (perhaps half saved); "),
                   consequence});
}

HANDLE OpenUnicodeFile(const WCHAR* path, const WCHAR* missingCaption, DWORD attributes)
{
    UnicodeFileProblem problem;
    HANDLE file = OpenUnicodeFileQuietly(path, attributes, problem);
    if (problem == UnicodeFileProblem::CannotOpen) {
        ConfigMessageBox(nullptr, path, missingCaption, MB_SETFOREGROUND | MB_ICONERROR);
    } else if (problem == UnicodeFileProblem::NotUnicode) {
        static constexpr WCHAR kMessage[] = TEXT("Die Datei ist leer oder nicht im Unicode Format:\n");
        WCHAR text[sizeof(kMessage) / sizeof(WCHAR) + kMaxPath];
        const UINT length = CopyText(kMessage, text, sizeof(text) / sizeof(WCHAR));
        CopyText(path, text + length, kMaxPath);
        // The mark belongs at the start of the file itself.
        DiagnosticPlace place(path);
        place.SetLine(1);
        ConfigMessageBox(nullptr, text, TEXT("Fehler"), MB_SETFOREGROUND | MB_ICONERROR);
    }
    return file;
}
