// The object of a BITMAPBUTTON section: a button whose faces are bitmap
// files, loaded while the section is read and kept until the button goes.
#pragma once

#include "buttons/ImageButton.h"

class BitmapButton : public ImageButton {
public:
    explicit BitmapButton(HWND panel);
    // Deletes both bitmaps.
    ~BitmapButton() override;

    // "BitmapNormal", "BitmapPushed" (file names relative to the panel
    // file's folder; taken whether or not the file loads); anything else goes
    // to the ImageButton keys.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // When Width or Height is 0, both become the larger face size; then
    // Offset is added.
    void Measure(HDC dc) override;
    // Copies the face's bitmap from its top-left corner, cut to the face
    // area (Width - Offset) x (Height - Offset); without a bitmap, "no
    // bitmap" in an outlined rectangle of that area.
    void DrawImage(DibSurface& surface, int x, int y, int face) override;

private:
    void LoadFace(int face, const WCHAR* fileName);

    HBITMAP bitmap_[2] = {};
    int bitmapWidth_[2] = {};
    int bitmapHeight_[2] = {};
};
