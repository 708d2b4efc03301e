#include "buttons/Command.h"

#include <new>

#include "config/CommandParts.h"
#include "config/Diagnostics.h"
#include "config/Paths.h"
#include "config/TextParsing.h"

namespace {

bool CanOpen(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
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
    CommandParts parts;
    if (!SplitCommand(text, parts)) {
        ConfigMessageBox(owner_, text, TEXT("Fehlendes \" im Command:"), MB_ICONERROR);
        return false;
    }
    // The program name is cut out in place and the quote put back below,
    // so the stored text is the same for the next tap.
    WCHAR* programEnd = text + (parts.program - text) + parts.programLength;
    const WCHAR cut = *programEnd;
    *programEnd = 0;
    const WCHAR* program = parts.program;
    const WCHAR* parameters = parts.parameters;

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

    *programEnd = cut;
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
    static constexpr CommandConsequences kConsequences = {
        TEXT("a tap shows the box 'Fehlendes \" im Command:' and starts nothing"),
        TEXT("a tap on this button starts nothing"),
        TEXT("a tap starts nothing"),
    };
    ReportCommandProblems(line, text, kConsequences);
}
