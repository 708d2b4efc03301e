#include "objects/Text.h"

#include <iterator>

#include "config/KeyTable.h"
#include "gauges/DibSurface.h"
#include "objects/WrappedArithmetic.h"

namespace {

constexpr UINT kAlignmentBits = DT_CENTER | DT_RIGHT;

UINT AlignmentOf(const WCHAR* value)
{
    if (IsKey(value, TEXT("Left")))
        return DT_LEFT;
    if (IsKey(value, TEXT("Right")))
        return DT_RIGHT;
    return DT_CENTER;
}

}  // namespace

// Not through SetText: measuring here would settle the size mode before
// "Width" and "Height" are read.
Text::Text() : text_(CopyValue(TEXT("Text"))), textLength_(4) {}

Text::~Text()
{
    if (font_)
        DeleteObject(font_);
}

bool Text::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    // "Text" also takes "TextColor = ...": keys are compared over their own
    // length only, and the order decides.
    static constexpr KeyRule<Text> kKeys[] = {
        {TEXT("Color"), 6, [](Text& t, const WCHAR* v) { return t.color_ = ParseColor(v), true; }},
        {TEXT("FrameColor"), 6,
         [](Text& t, const WCHAR* v) {
             t.frameColor_ = ParseColor(v);
             t.framed_ = true;
             return true;
         }},
        {TEXT("Text"), 1, [](Text& t, const WCHAR* v) { return t.SetText(v, TextLength(v)), true; }},
        {TEXT("Font"), 1, [](Text& t, const WCHAR* v) { return t.faceName_ = CopyValue(v), true; }},
        {TEXT("Size"), 1, [](Text& t, const WCHAR* v) { return t.size_ = ParseInt(v), true; }},
        {TEXT("Weight"), 1, [](Text& t, const WCHAR* v) { return t.weight_ = ParseInt(v), true; }},
        // Without a value the line is reported like any other valueless key
        // and the alignment stays.
        {TEXT("Align"), 1,
         [](Text& t, const WCHAR* v) {
             t.formatFlags_ = (t.formatFlags_ & ~kAlignmentBits) | AlignmentOf(v);
             return true;
         }},
        {TEXT("CreateFont"), 0, [](Text& t, const WCHAR*) { return t.MakeFont(), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("Text - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return DesktopObject::ParseKey(line, length, showErrors);
}

void Text::MakeFont()
{
    if (font_)
        DeleteObject(font_);
    // Only height, weight and face: the platform picks everything else.
    LOGFONTW font = {};
    font.lfHeight = size_;
    font.lfWeight = weight_;
    if (faceName_)
        CopyText(faceName_.get(), font.lfFaceName, static_cast<UINT>(std::size(font.lfFaceName)));
    font_ = CreateFontIndirectW(&font);
}

void Text::SetText(const WCHAR* text, UINT length)
{
    if (length <= textLength_) {
        textLength_ = CopyText(text, text_.get(), length + 1);
        return;
    }
    text_ = std::make_unique<WCHAR[]>(length + 1);
    textLength_ = CopyText(text, text_.get(), length + 1);
    if (HDC screen = GetDC(nullptr)) {
        Measure(screen);
        ReleaseDC(nullptr, screen);
    }
}

void Text::Measure(HDC dc)
{
    if (sizeMode_ == SizeMode::Undecided)
        sizeMode_ = Width() != 0 && Height() != 0 ? SizeMode::Fixed : SizeMode::Measured;
    if (sizeMode_ == SizeMode::Fixed)
        return;
    HGDIOBJ previousFont = font_ ? SelectObject(dc, font_) : nullptr;
    SIZE extent = {};
    const bool measured = TextExtent(dc, extent);
    if (font_)
        SelectObject(dc, previousFont);
    if (!measured)
        return;
    SetWidth(extent.cx);
    SetHeight(extent.cy);
}

bool Text::TextExtent(HDC dc, SIZE& extent) const
{
    return GetTextExtentExPointW(dc, text_.get(), static_cast<int>(textLength_), 0, nullptr, nullptr, &extent) != FALSE;
}

void Text::Draw(DibSurface& surface, int x, int y)
{
    HDC dc = surface.Dc();
    HGDIOBJ previousFont = font_ ? SelectObject(dc, font_) : nullptr;
    RECT box;
    SetRect(&box, x, y, AddWrapped(x, Width()), AddWrapped(y, Height()));
    const COLORREF previousColor = SetTextColor(dc, color_);
    const int length = static_cast<int>(textLength_);
    if (framed_) {
        // Around the square (0,0)-(2,2), clockwise from its top-left corner;
        // the text itself then goes to its centre (1,1).
        static constexpr POINT kOutlineSteps[] = {{1, 0}, {1, 0}, {0, 1}, {0, 1}, {-1, 0}, {-1, 0}, {0, -1}};
        SetTextColor(dc, frameColor_);
        DrawTextW(dc, text_.get(), length, &box, formatFlags_);
        for (const POINT& step : kOutlineSteps) {
            OffsetRect(&box, step.x, step.y);
            DrawTextW(dc, text_.get(), length, &box, formatFlags_);
        }
        OffsetRect(&box, 1, 0);
        SetTextColor(dc, color_);
    }
    DrawTextW(dc, text_.get(), length, &box, formatFlags_);
    SetTextColor(dc, previousColor);
    if (font_)
        SelectObject(dc, previousFont);
}
