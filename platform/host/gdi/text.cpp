// Text in one line: measuring (GetTextExtent*) and drawing glyphs blended
// in the text colour.
#include "platform/host/gdi/text.h"

#include "platform/host/gdi/raster.h"

namespace host::gdi {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

// Calls `visit(index, character)` for each character of `text`, where
// `index` is its first UTF-16 unit; lone surrogates become U+FFFD.
template <class Visit>
void ForEachCharacter(std::u16string_view text, Visit visit)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t character = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            character = 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            visit(i, character);
            ++i;
            continue;
        }
        visit(i, IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]) ? char32_t{0xFFFD} : character);
    }
}

}  // namespace

std::vector<int> Advances(RealizedFont& font, std::u16string_view text)
{
    std::vector<int> advances(text.size(), 0);
    ForEachCharacter(text, [&](size_t i, char32_t c) { advances[i] = font.GlyphOf(c).advance; });
    return advances;
}

int TextWidth(RealizedFont& font, std::u16string_view text)
{
    int width = 0;
    ForEachCharacter(text, [&](size_t, char32_t c) { width += font.GlyphOf(c).advance; });
    return width;
}

void DrawTextLine(DeviceContext& dc, const RECT& clip, int64_t x, int64_t y, std::u16string_view text,
                  const std::vector<bool>& underlined)
{
    Font& font = dc.CurrentFont();
    RealizedFont* realized = font.Realize();
    if (!realized || Empty(clip)) return;
    const Surface& surface = dc.Target();
    const TEXTMETRICW& metrics = realized->Metrics();

    auto fill = [&](const RECT& r, COLORREF color) {
        RECT visible = Intersect(r, clip);
        if (Empty(visible)) return;
        raster::FillSolid(surface, visible, color);
        dc.Touch(visible);
    };
    if (dc.bkMode == OPAQUE) fill(WideRect(x, y, x + TextWidth(*realized, text), y + metrics.tmHeight), dc.bkColor);

    const int64_t baseline = y + metrics.tmAscent;
    int64_t pen = x;
    ForEachCharacter(text, [&](size_t i, char32_t c) {
        const Glyph& glyph = realized->GlyphOf(c);
        const int64_t left = pen + glyph.left, top = baseline - glyph.top;
        RECT visible = Intersect(WideRect(left, top, left + glyph.width, top + glyph.rows), clip);
        if (!Empty(visible)) {
            const uint8_t* coverage = glyph.coverage.data() + (visible.top - top) * glyph.width + (visible.left - left);
            raster::Blend(surface, visible, coverage, glyph.width, dc.textColor);
            dc.Touch(visible);
        }
        if (font.logFont.lfUnderline || (i < underlined.size() && underlined[i])) {
            const int64_t lineTop = y + realized->UnderlineTop();
            fill(WideRect(pen, lineTop, pen + glyph.advance, lineTop + realized->UnderlineHeight()), dc.textColor);
        }
        pen += glyph.advance;
    });
}

}  // namespace host::gdi

using namespace host::gdi;

BOOL GetTextExtentExPointW(HDC handle, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT partialExtents,
                           LPSIZE size)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || count < 0 || (count > 0 && !text) || !size) return FALSE;
    RealizedFont* font = dc->CurrentFont().Realize();
    if (!font) return FALSE;
    std::vector<int> advances = Advances(*font, std::u16string_view(text, count));
    int extent = 0, fitting = 0;
    for (int i = 0; i < count; ++i) {
        extent += advances[i];
        if (extent <= maxExtent) fitting = i + 1;
        if (partialExtents) partialExtents[i] = extent;
    }
    if (fit) *fit = fitting;
    // No text has no height either, as on Windows.
    *size = SIZE{extent, count > 0 ? font->Metrics().tmHeight : 0};
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size)
{
    return GetTextExtentExPointW(dc, text, count, 0, nullptr, nullptr, size);
}
