// The object of a WINDOWSBUTTON section: a push button drawn with the
// platform's three-dimensional frame, an interior of one colour per state
// and a caption, which is a complete Text object and takes all of its keys.
// Pushed, the frame stays in place and is drawn sunken, and the caption moves
// right and down by Offset pixels.
#pragma once

#include "buttons/ImageButton.h"
#include "objects/Text.h"

class WindowsButton : public ImageButton {
public:
    explicit WindowsButton(HWND panel);
    ~WindowsButton() override = default;

    // "ColorNormal", "ColorPushed"; then, quietly, the ImageButton keys; any
    // other line belongs to the caption, which reports what it rejects.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // The face, then the caption over the button's rectangle as it is then
    // (a stacked panel's layout widens the button after Measure).
    void Draw(DibSurface& surface, int x, int y) override;
    // Gives the caption the button's size. The button does not size itself:
    // its section needs Width and Height.
    void Measure(HDC dc) override;
    // The command's pitfalls, and a button without Width or Height, whose
    // caption is clipped to nothing.
    void ReportPitfalls() const override;
    // The frame over the whole button, sunken for face 1, and the interior
    // filled with that face's colour.
    void DrawImage(DibSurface& surface, int x, int y, int face) override;

private:
    void FitCaption();

    Text caption_;
    COLORREF color_[2];
    UINT sectionLine_;
};
