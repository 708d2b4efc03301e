// The base of the buttons that show a face: face 0 while the button is up,
// face 1 while it is pushed, the pushed face shifted right and down by
// Offset pixels. The button's rectangle holds the face plus Offset pixels on
// the right and at the bottom.
#pragma once

#include "buttons/CommandButton.h"
#include "objects/WrappedArithmetic.h"

class ImageButton : public CommandButton {
public:
    // "Offset"; anything else goes to the CommandButton keys.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~ImageButton() override = default;
    // Face 0 at (x, y), or face 1 at (x + Offset, y + Offset) while pushed.
    void Draw(DibSurface& surface, int x, int y) override;
    // Adds Offset to Width and Height; subclasses first put their face size
    // there.
    void Measure(HDC dc) override;
    // Draws one face with its top-left corner at (x, y).
    virtual void DrawImage(DibSurface& surface, int x, int y, int face) = 0;

protected:
    explicit ImageButton(HWND panel);

    int Offset() const { return offset_; }

    // The smaller of two sizes compared as unsigned numbers, so that a
    // negative size counts as huge.
    static int MinUnsigned(int a, int b)
    {
        return static_cast<UINT>(a) < static_cast<UINT>(b) ? a : b;
    }
    static int MaxUnsigned(int a, int b)
    {
        return static_cast<UINT>(a) < static_cast<UINT>(b) ? b : a;
    }

private:
    int offset_ = 1;
};
