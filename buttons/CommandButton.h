// The object of a BUTTON section: an invisible touch area of the panel that
// runs its Command when a tap is released inside it. The picture buttons
// derive from it and add a face.
#pragma once

#include <memory>

#include "buttons/Command.h"
#include "objects/DesktopObject.h"

class CommandButton : public DesktopObject {
public:
    // `panel` is the panel window that the command's messages go to.
    explicit CommandButton(HWND panel);
    ~CommandButton() override = default;

    // "Command", "NewIni" (resolved against the panel file's folder),
    // "QuitOnExecute", "ShutDownAnimation"; anything else goes to the
    // DesktopObject keys with the same `showErrors`.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // Draws nothing: a plain button is an invisible touch area.
    void Draw(DibSurface& surface, int x, int y) override;
    // Pushes the button; true, so that the panel shows the pushed look.
    bool OnPress(int x, int y) override;
    // Releases a pushed button and runs its command when (x, y) lies inside
    // it; true when the button was pushed. Nothing happens otherwise.
    bool OnRelease(int x, int y) override;
    // NewIni without ShutDownAnimation, and the command's own problems.
    void ReportPitfalls() const override;
    bool TakesTaps() const override { return true; }

protected:
    bool Pushed() const { return pushed_; }

private:
    std::unique_ptr<Command> command_;
    bool pushed_ = false;
    // Lines of the "Command" or "NewIni" key in use, for the diagnostics.
    UINT commandLine_ = 0;
    UINT newIniLine_ = 0;
};
