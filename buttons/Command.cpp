#include "buttons/Command.h"

#include <algorithm>
#include <new>

#include "config/Diagnostics.h"
#include "config/Paths.h"
#include "config/TextParsing.h"

namespace {

// "http://...", "mailto:...": a scheme of two letters or more before a colon.
bool LooksLikeUrl(const WCHAR* text)
{
    UINT letters = 0;
    while ((text[letters] >= TEXT('a') && text[letters] <= TEXT('z')) ||
           (text[letters] >= TEXT('A') && text[letters] <= TEXT('Z')))
        ++letters;
    return letters >= 2 && text[letters] == TEXT(':');
}

// True when the shell has a way to open `program`.
bool CanStart(const WCHAR* program)
{
    if (LooksLikeUrl(program))
        return true;
    WCHAR found[kMaxPath] = {};
    return reinterpret_cast<INT_PTR>(FindExecutableW(program, nullptr, found)) > 32;
}

bool CanOpen(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void ReportNotStartable(UINT line, const WCHAR* program)
{
    ReportWarningAtLine(line,
                        {TEXT("\""), program, TEXT("\" cannot be found or started: a tap on this button starts nothing")});
}

}  // namespace

Command::Command(HWND owner) : owner_(owner) {}

bool Command::SetText(const WCHAR* text)
{
    const UINT length = TextLength(text);
    text_.reset(new (std::nothrow) WCHAR[length + 1]);
    if (!text_)
        return false;
    CopyText(text, text_.get(), length + 1);
    return true;
}

void Command::SetPanelSwitch(AnimationKind kind)
{
    switchPanel_ = true;
    animation_ = kind;
}

void Command::Execute()
{
    if (text_) {
        if (switchPanel_)
            PostMessageW(owner_, WM_OPENPANEL, reinterpret_cast<WPARAM>(text_.get()), animation_);
        else if (!Launch())
            return;
    }
    if (quitOnExecute_)
        PostMessageW(owner_, WM_CLOSE, 0, 0);
}

bool Command::Launch()
{
    WCHAR* text = text_.get();
    const WCHAR* program = text;
    const WCHAR* parameters = TEXT("");
    WCHAR* closingQuote = nullptr;
    if (text[0] == TEXT('"')) {
        closingQuote = const_cast<WCHAR*>(FindChar(text + 1, TEXT('"'), TextLength(text + 1)));
        if (!closingQuote) {
            ConfigMessageBox(owner_, text, TEXT("Fehlendes \" im Command:"), MB_ICONERROR);
            return false;
        }
        // The program name is cut out in place and the quote put back below,
        // so the stored text is the same for the next tap.
        *closingQuote = 0;
        program = text + 1;
        parameters = closingQuote + 1;
        while (*parameters == TEXT(' '))
            ++parameters;
    }

    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner_;
    info.lpVerb = TEXT("Open");
    info.lpFile = program;
    info.lpParameters = parameters;
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    info.hInstApp = GetModuleHandleW(nullptr);
    // A failed launch shows no box.
    if (!ShellExecuteEx(&info))
        ReportWarning({TEXT("cannot start \""), program, TEXT("\": the tap on this button starts nothing")});
    if (info.hProcess)
        CloseHandle(info.hProcess);

    if (closingQuote)
        *closingQuote = TEXT('"');
    return true;
}

void Command::ReportProblems(UINT line) const
{
    if (!text_)
        return;
    const WCHAR* text = text_.get();
    if (switchPanel_) {
        if (!CanOpen(text))
            ReportWarningAtLine(line, {TEXT("the panel file \""), text,
                                       TEXT("\" cannot be opened: a tap shows the box 'Datei nicht gefunden:' and ends "
                                            "the program")});
        return;
    }
    WCHAR program[kMaxPath];
    if (text[0] == TEXT('"')) {
        const WCHAR* closingQuote = FindChar(text + 1, TEXT('"'), TextLength(text + 1));
        if (!closingQuote) {
            ReportWarningAtLine(line, {TEXT("the program's closing quote is missing: a tap shows the box 'Fehlendes \" "
                                            "im Command:' and starts nothing")});
            return;
        }
        const UINT nameLength = static_cast<UINT>(closingQuote - (text + 1));
        CopyText(text + 1, program, std::min<UINT>(nameLength + 1, kMaxPath));
        if (!CanStart(program))
            ReportNotStartable(line, program);
        return;
    }
    if (CanStart(text))
        return;
    // The whole unquoted text is the program, blanks and all.
    if (const WCHAR* blank = FindChar(text, TEXT(' '), TextLength(text))) {
        CopyText(text, program, std::min<UINT>(static_cast<UINT>(blank - text) + 1, kMaxPath));
        if (CanStart(program)) {
            ReportWarningAtLine(line, {TEXT("the whole text \""), text,
                                       TEXT("\" is taken as the program's name, so a tap starts nothing; put the "
                                            "program in quotes to give it arguments: Command = \""),
                                       program, TEXT("\""), blank});
            return;
        }
    }
    ReportNotStartable(line, text);
}
