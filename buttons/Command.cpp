#include "buttons/Command.h"

#include <new>

#include "config/TextParsing.h"

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
            MessageBoxW(owner_, text, TEXT("Fehlendes \" im Command:"), MB_ICONERROR);
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
    // A failed launch is not reported.
    ShellExecuteEx(&info);
    if (info.hProcess)
        CloseHandle(info.hProcess);

    if (closingQuote)
        *closingQuote = TEXT('"');
    return true;
}
