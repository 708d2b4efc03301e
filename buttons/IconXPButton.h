// The object of an ICONXPBUTTON section: a button whose faces are 32-bit
// icons with alpha, each recoloured as it is loaded. The keys act in the
// order of the lines: size, scale, add and gray lines affect only the icon
// lines after them.
#pragma once

#include "buttons/IconImage.h"
#include "buttons/ImageButton.h"

class IconXPButton : public ImageButton {
public:
    explicit IconXPButton(HWND panel);
    ~IconXPButton() override = default;

    // "IconNormal", "IconPushed", "SizeNormal", "SizePushed", "ScaleRed",
    // "ScaleGreen", "ScaleBlue", "ScaleAlpha", "Scale", "AddRed", "AddGreen",
    // "AddBlue", "AddAlpha", "Add", "Gray"; anything else goes quietly to the
    // ImageButton keys. Every line that is not taken is reported with this
    // class's own caption.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // A square of the larger face size, plus Offset.
    void Measure(HDC dc) override;
    // Blends the face's icon, centred in the other face's square when that is
    // larger; without an icon, "no icon" centred in the button.
    void DrawImage(DibSurface& surface, int x, int y, int face) override;

private:
    enum Channel { Red, Green, Blue, Alpha, ChannelCount };

    void LoadFace(int face, const WCHAR* fileName);

    IconImage icon_[2];
    // The wanted size of a face until its icon loads, then the icon's width.
    int iconSize_[2] = {};
    int scale_[ChannelCount] = {100, 100, 100, 100};  // percent
    int add_[ChannelCount] = {};
    bool gray_ = false;
};
