// DrawTextW: "&" prefixes, breaking text into lines (at line breaks, and
// between words with DT_WORDBREAK), aligning the lines in the rectangle,
// and measuring them with DT_CALCRECT.
#include <numeric>
#include <string>

#include "platform/host/gdi/text.h"

namespace host::gdi {
namespace {

// The text as shown: "&x" shows an underlined "x", "&&" a plain "&", and a
// final lone "&" nothing.
struct ShownText {
    std::u16string text;
    std::vector<bool> underlined;
};

ShownText RemovePrefixes(std::u16string_view text)
{
    ShownText shown;
    for (size_t i = 0; i < text.size(); ++i) {
        bool prefix = text[i] == u'&';
        if (prefix && ++i == text.size()) break;
        shown.text += text[i];
        shown.underlined.push_back(prefix && text[i] != u'&');
    }
    return shown;
}

struct Line {
    size_t start = 0;
    size_t length = 0;
};

bool IsSpace(char16_t c) { return c == u' '; }

// Greedy word wrap of text[start, end): a line takes words while they fit
// in `width`; a word wider than that stands on a line of its own, unbroken.
// The spaces where a line breaks belong to no line.
void WrapParagraph(std::u16string_view text, const std::vector<int64_t>& offsets, size_t start, size_t end,
                   int64_t width, std::vector<Line>& lines)
{
    auto skip = [&](size_t i, bool spaces) {
        while (i < end && IsSpace(text[i]) == spaces) ++i;
        return i;
    };
    size_t lineStart = start;
    do {
        size_t lineEnd = skip(skip(lineStart, true), false);
        while (lineEnd < end) {
            size_t wordEnd = skip(skip(lineEnd, true), false);
            if (offsets[wordEnd] - offsets[lineStart] > width) break;
            lineEnd = wordEnd;
        }
        lines.push_back({lineStart, lineEnd - lineStart});
        lineStart = skip(lineEnd, true);
    } while (lineStart < end);
}

std::vector<Line> BreakLines(std::u16string_view text, const std::vector<int64_t>& offsets, UINT format,
                             int64_t width)
{
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back({0, text.size()});
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t end = text.find_first_of(u"\r\n", start);
        size_t stop = end == std::u16string_view::npos ? text.size() : end;
        if (format & DT_WORDBREAK)
            WrapParagraph(text, offsets, start, stop, width, lines);
        else
            lines.push_back({start, stop - start});
        if (stop == text.size()) break;
        start = stop + (text.compare(stop, 2, u"\r\n") == 0 ? 2 : 1);
        if (start == text.size()) break;
    }
    return lines;
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;
using host::Surface;

int DrawTextW(HDC handle, LPCWSTR text, int count, LPRECT rect, UINT format)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !text || !rect) return 0;
    RealizedFont* font = dc->CurrentFont().Realize();
    if (!font) return 0;
    const int lineHeight = font->Metrics().tmHeight;
    // Nothing to draw still reports a line's height, as on Windows; only an
    // empty string (not a zero count) measures an empty rectangle.
    if (count == 0) return lineHeight;
    std::u16string_view source = count < 0 ? std::u16string_view(text) : std::u16string_view(text, count);
    if (source.empty()) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top + ((format & DT_SINGLELINE) ? lineHeight : 0);
        }
        return lineHeight;
    }

    ShownText shown = (format & DT_NOPREFIX) ? ShownText{std::u16string(source), {}} : RemovePrefixes(source);
    std::vector<int> advances = Advances(*font, shown.text);
    std::vector<int64_t> offsets(advances.size() + 1, 0);
    std::partial_sum(advances.begin(), advances.end(), offsets.begin() + 1);
    const int64_t width = int64_t{rect->right} - rect->left;
    const std::vector<Line> lines = BreakLines(shown.text, offsets, format, width);
    auto lineWidth = [&](const Line& line) { return offsets[line.start + line.length] - offsets[line.start]; };

    const int64_t height = int64_t{lineHeight} * static_cast<int64_t>(lines.size());
    if (format & DT_CALCRECT) {
        int64_t widest = 0;
        for (const Line& line : lines) widest = std::max(widest, lineWidth(line));
        *rect = WideRect(rect->left, rect->top, rect->left + widest, rect->top + height);
        return static_cast<int>(std::min<int64_t>(height, INT32_MAX));
    }

    int64_t y = rect->top;
    const bool placed = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
    if (placed) y = (format & DT_VCENTER) ? rect->top + (int64_t{rect->bottom} - rect->top - lineHeight) / 2
                                          : int64_t{rect->bottom} - lineHeight;
    const Surface& surface = dc->Target();
    const RECT clip = (format & DT_NOCLIP) ? dc->Clip(RECT{0, 0, surface.width, surface.height}) : dc->Clip(*rect);
    for (const Line& line : lines) {
        int64_t x = rect->left;
        if (format & DT_CENTER) x += (width - lineWidth(line)) / 2;
        else if (format & DT_RIGHT) x = rect->right - lineWidth(line);
        std::vector<bool> underlined;
        if (!shown.underlined.empty())
            underlined.assign(shown.underlined.begin() + line.start, shown.underlined.begin() + line.start + line.length);
        DrawTextLine(*dc, clip, x, y, std::u16string_view(shown.text).substr(line.start, line.length), underlined);
        y += lineHeight;
    }
    int64_t result = placed ? y - rect->top : height;
    return static_cast<int>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}
