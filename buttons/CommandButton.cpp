#include "buttons/CommandButton.h"

#include <new>

#include "config/Diagnostics.h"
#include "config/KeyTable.h"
#include "config/Paths.h"

CommandButton::CommandButton(HWND panel) : command_(new (std::nothrow) Command(panel)) {}

bool CommandButton::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<CommandButton> kKeys[] = {
        {TEXT("Command"), 1,
         [](CommandButton& b, const WCHAR* v) {
             b.commandLine_ = CurrentDiagnosticLine();
             b.newIniLine_ = 0;
             return b.command_ && b.command_->SetText(v);
         }},
        {TEXT("NewIni"), 1,
         [](CommandButton& b, const WCHAR* v) {
             WCHAR path[kMaxPath];
             b.commandLine_ = b.newIniLine_ = CurrentDiagnosticLine();
             return b.command_ && ObjectRelativePath(b, v, path, kMaxPath) > 0 && b.command_->SetText(path);
         }},
        {TEXT("QuitOnExecute"), 1,
         [](CommandButton& b, const WCHAR* v) {
             if (b.command_)
                 b.command_->SetQuitOnExecute(ParseFlag(v));
             return b.command_ != nullptr;
         }},
        {TEXT("ShutDownAnimation"), 1,
         [](CommandButton& b, const WCHAR* v) {
             AnimationKind kind;
             if (!b.command_ || !ParseAnimationName(v, kind))
                 return false;
             b.command_->SetPanelSwitch(kind);
             return true;
         }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("CommandButton - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return DesktopObject::ParseKey(line, length, showErrors);
}

void CommandButton::Draw(DibSurface&, int, int) {}

bool CommandButton::OnPress(int, int)
{
    pushed_ = true;
    return true;
}

bool CommandButton::OnRelease(int x, int y)
{
    if (!pushed_)
        return false;
    pushed_ = false;
    // The command runs before the panel redraws the button in its normal look.
    if (0 <= x && x < Width() && 0 <= y && y < Height() && command_)
        command_->Execute();
    return true;
}

void CommandButton::ReportPitfalls() const
{
    if (!command_)
        return;
    if (newIniLine_ != 0 && !command_->IsPanelSwitch()) {
        ReportWarningAtLine(newIniLine_, {TEXT("NewIni without ShutDownAnimation: a tap hands the panel file to the "
                                               "shell instead of switching to it; add ShutDownAnimation = NoAnimation "
                                               "(or another animation) to the section")});
        return;
    }
    command_->ReportProblems(commandLine_);
}
