// What a message box shows, drawn with the host GDI: a caption bar, the
// icon the style asks for, the text with its line breaks and an OK button,
// sized for the program's screen. It follows the stylus on its OK button
// (pushed while pressed on it) and says when a tap on OK closes it. The
// displays put the picture in a window of their own and take the keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/gdi/surface.h"
#include "platform/win32.h"

namespace host {

class MessageBoxPicture {
public:
    MessageBoxPicture(SIZE screen, std::u16string_view text, std::u16string_view caption, UINT style);
    MessageBoxPicture(const MessageBoxPicture&) = delete;
    MessageBoxPicture& operator=(const MessageBoxPicture&) = delete;

    const Surface& Pixels() const { return surface_; }
    SIZE Size() const { return layout_.size; }

    // The stylus at `point` (picture coordinates) went down, moved or came
    // up. `repainted` is the part drawn anew (empty: none); the result is
    // true when a tap on OK ended there.
    enum class Stylus { Down, Move, Up };
    bool Follow(Stylus stylus, POINT point, RECT& repainted);

private:
    struct Layout {
        SIZE size;
        RECT caption, icon, text, button;
    };
    Layout Arrange(SIZE screen) const;
    void Paint();
    void PaintButton();

    std::u16string text_;
    std::u16string caption_;
    UINT style_;
    Layout layout_;
    std::vector<uint32_t> pixels_;
    Surface surface_;
    bool pressing_ = false;  // the stylus went down on OK and is still down
    bool pushed_ = false;    // ... and is on OK
};

}  // namespace host
