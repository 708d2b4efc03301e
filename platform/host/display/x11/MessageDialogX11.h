// A message box on the X display: a window centred on the program's
// monitor, at the program's scale, with a
// caption bar, the icon the style asks for, the text with its line breaks
// and an OK button, drawn with the host GDI. Enter, Escape, Space or a
// click on OK closes it.
//
// The dialog only draws and reacts to its own window's events; the modal
// loop that runs while it is open belongs to DisplayX11.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    struct Layout {
        SIZE size;
        RECT caption, icon, text, button;
    };
    Layout Arrange(SIZE screen) const;
    void Paint();
    void PaintButton();
    void Close();

    X11Connection& connection_;
    std::u16string text_;
    std::u16string caption_;
    UINT style_;
    Layout layout_;
    std::vector<uint32_t> pixels_;
    Surface surface_;
    std::unique_ptr<X11Window> window_;
    bool pressing_ = false;  // button 1 went down on OK and is still down
    bool pushed_ = false;    // ... and the pointer is on OK
    bool closed_ = false;
};

}  // namespace host
