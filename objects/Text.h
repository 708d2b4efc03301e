// The object of a TEXT section: one line of text in a chosen colour, font and
// alignment, optionally outlined one pixel wide in a second colour so that it
// reads on any background. It sizes itself to its text unless "Width" and
// "Height" both fix the size before the first measurement.
//
// Also the caption inside a WindowsButton, which hands it key lines, sets its
// Width and Height and draws it; and the base of DateInfo, TimeInfo and
// CommandText.
#pragma once

#include <memory>

#include "objects/DesktopObject.h"

class Text : public DesktopObject {
public:
    Text();

    // "Color", "FrameColor", "Text", "Font", "Size", "Weight", "Align",
    // "CreateFont" in this order, then the DesktopObject keys. A key without
    // a long enough value is reported as "Text - Ignoriere Fehler:".
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~Text() override;

    // Draws the text into the rectangle (x, y, x + Width, y + Height) with the
    // alignment flags; when outlined, eight times in the frame colour around
    // (x + 1, y + 1) and then once there in the text colour.
    void Draw(DibSurface& surface, int x, int y) override;
    // The first call decides for good: fixed when Width and Height are both
    // non-zero, otherwise measured. A measured object takes the extent of
    // its text in its font (or the DC's current font) at every call.
    void Measure(HDC dc) override;

    // Replaces the shown text by the first `length` characters of `text`. A
    // text longer than the current one gets a new buffer and is measured at
    // once (through the virtual Measure, on a screen DC); a shorter or equal
    // one is copied into the existing buffer and is not measured.
    void SetText(const WCHAR* text, UINT length);

    const WCHAR* ShownText() const { return text_.get(); }
    UINT ShownLength() const { return textLength_; }

protected:
    // DrawTextW's flags for the text; "Align" changes only the alignment bits.
    UINT FormatFlags() const { return formatFlags_; }
    void SetFormatFlags(UINT flags) { formatFlags_ = flags; }
    // The size of the text in the DC's current font, for a measured object;
    // false when it cannot be measured. This base measures it as one line.
    virtual bool TextExtent(HDC dc, SIZE& extent) const;

private:
    enum class SizeMode { Undecided, Measured, Fixed };

    void MakeFont();

    COLORREF color_ = RGB(0, 0, 0);
    COLORREF frameColor_ = RGB(0, 0, 0);
    std::unique_ptr<WCHAR[]> text_;
    std::unique_ptr<WCHAR[]> faceName_;
    UINT formatFlags_ = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    int weight_ = 0;
    int size_ = 0;
    UINT textLength_ = 0;
    bool framed_ = false;
    HFONT font_ = nullptr;
    SizeMode sizeMode_ = SizeMode::Undecided;
};
