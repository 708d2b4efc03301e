// A message box on the X display: a window centred on the program's
// monitor, at the program's scale, that shows a MessageBoxPicture. Enter,
// Escape, Space or a click on OK closes it. It takes the keyboard when it
// appears and gives it back to the window that had it when it closes, so
// that boxes open at once (of this program or another) each get their key.
//
// The dialog only draws and reacts to its own window's events; the modal
// loop that runs while it is open belongs to DisplayX11.
#pragma once

#include <memory>
#include <string_view>

#include "platform/host/display/MessageBoxPicture.h"
#include "platform/host/display/ScreenArea.h"
#include "platform/host/display/x11/X11Window.h"

namespace host {

class MessageDialogX11 {
public:
    MessageDialogX11(X11Connection& connection, const ScreenArea& area, std::u16string_view text,
                     std::u16string_view caption, UINT style);

    ::Window Id() const { return window_->Id(); }
    bool Closed() const { return closed_; }
    void Raise();
    // Handles an event of the dialog's window; true when it closed the dialog.
    bool Handle(const XEvent& event);
    void PresentCompleted() { window_->PresentCompleted(); }

private:
    void Close();

    X11Connection& connection_;
    MessageBoxPicture picture_;
    std::unique_ptr<X11Window> window_;
    ::Window previousFocus_ = None;
    bool closed_ = false;
};

}  // namespace host
