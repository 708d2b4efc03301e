// What a button runs when it is tapped: a program or document handed to the
// shell, or another panel file that is to replace the button's panel. Either
// may be followed by closing the panel.
#pragma once

#include <memory>

#include "app/AnimationKind.h"
#include "app/PanelMessages.h"
#include "platform/win32.h"

class Command {
public:
    // Messages go to `owner`, the panel window of the button.
    explicit Command(HWND owner);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Replaces the text with a fresh copy of `text`. False when memory ran
    // out; the text is then absent.
    bool SetText(const WCHAR* text);
    const WCHAR* Text() const { return text_.get(); }
    void SetQuitOnExecute(bool quit) { quitOnExecute_ = quit; }
    // Runs the text as a panel file that replaces the panel, with `kind`.
    void SetPanelSwitch(AnimationKind kind);
    bool IsPanelSwitch() const { return switchPanel_; }

    // Reports to the diagnostics channel, at `line` of the file being read,
    // what would make a tap do nothing: a panel file that cannot be opened,
    // a quote never closed, a program that cannot be found or started, and
    // a program path with arguments but without quotes.
    void ReportProblems(UINT line) const;

    // Posts WM_OPENPANEL for a panel switch, or hands the text to the shell
    // ("program" parameters when the text opens with a double quote, else
    // the whole text as the program); then posts WM_CLOSE when asked to quit.
    // A quote that is never closed is reported and nothing else happens; a
    // program that does not start goes to the diagnostics channel.
    void Execute();

private:
    // False when the command's quote is not closed.
    bool Launch();

    std::unique_ptr<WCHAR[]> text_;
    HWND owner_;
    bool quitOnExecute_ = false;
    bool switchPanel_ = false;
    AnimationKind animation_ = NoAnimation;
};
