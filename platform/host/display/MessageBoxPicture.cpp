// Sections: layout; painting (frame, caption, icon, text, button); the stylus.
#include "platform/host/display/MessageBoxPicture.h"

#include <algorithm>

namespace host {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSide = 32;
constexpr SIZE kButton{75, 23};
constexpr int kSmallestWidth = 180;
constexpr int kWidestText = 480;

constexpr UINT kIconMask = 0xF0;

struct Icon {
    UINT style;
    COLORREF disc;
    COLORREF mark;
    const WCHAR* glyph;
};

constexpr Icon kIcons[] = {
    {MB_ICONHAND, RGB(0xC8, 0x20, 0x20), RGB(0xFF, 0xFF, 0xFF), u"X"},
    {MB_ICONQUESTION, RGB(0x20, 0x58, 0xC8), RGB(0xFF, 0xFF, 0xFF), u"?"},
    {MB_ICONEXCLAMATION, RGB(0xF0, 0xC0, 0x20), RGB(0x00, 0x00, 0x00), u"!"},
    {MB_ICONASTERISK, RGB(0x20, 0x58, 0xC8), RGB(0xFF, 0xFF, 0xFF), u"i"},
};

const Icon* IconFor(UINT style)
{
    for (const Icon& icon : kIcons) {
        if ((style & kIconMask) == icon.style)
            return &icon;
    }
    return nullptr;
}

HBRUSH SystemBrush(int index)
{
    return reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(index + 1));
}

HFONT MakeFont(LONG height, LONG weight)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    return CreateFontIndirectW(&font);
}

// A DC with `font` selected, on `surface` (null: for measuring only).
class FontDC {
public:
    FontDC(Surface* surface, HFONT font) : dc_(gdi::CreateSurfaceDC(surface)), font_(font)
    {
        previous_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~FontDC()
    {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
        gdi::DeleteSurfaceDC(dc_);
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

SIZE Measure(HDC dc, const std::u16string& text, UINT format, int width)
{
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A round, smoothly edged disc: each pixel is covered by the share of its
// 4 × 4 sample points that fall inside the circle.
void FillDisc(const Surface& surface, const RECT& box, COLORREF color)
{
    const int side = box.right - box.left;
    for (int y = std::max<LONG>(box.top, 0); y < std::min<LONG>(box.bottom, surface.height); ++y) {
        for (int x = std::max<LONG>(box.left, 0); x < std::min<LONG>(box.right, surface.width); ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    // Sample and centre in eighths of a pixel.
                    const int dx = ((x - box.left) * 8 + sx * 2 + 1) - side * 4;
                    const int dy = ((y - box.top) * 8 + sy * 2 + 1) - side * 4;
                    inside += dx * dx + dy * dy <= side * side * 16;
                }
            }
            uint32_t& pixel = surface.Row(y)[x];
            auto mix = [&](int shift, int channel) {
                const int under = (pixel >> shift) & 0xFF;
                return static_cast<uint32_t>((under * (16 - inside) + channel * inside) / 16) << shift;
            };
            pixel = mix(16, GetRValue(color)) | mix(8, GetGValue(color)) | mix(0, GetBValue(color));
        }
    }
}

void FrameRect(HDC dc, const RECT& r, int colorIndex)
{
    const RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.bottom - 1, r.right, r.bottom},
                          {r.left, r.top, r.left + 1, r.bottom},
                          {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& side : sides)
        FillRect(dc, &side, SystemBrush(colorIndex));
}

}  // namespace

MessageBoxPicture::MessageBoxPicture(SIZE screen, std::u16string_view text, std::u16string_view caption, UINT style)
    : text_(text), caption_(caption), style_(style)
{
    layout_ = Arrange(screen);
    const SIZE size = layout_.size;
    pixels_.resize(static_cast<size_t>(size.cx) * size.cy);
    surface_ = {size.cx, size.cy, reinterpret_cast<uint8_t*>(pixels_.data()), static_cast<ptrdiff_t>(size.cx) * 4};
    Paint();
}

// ---- Layout

MessageBoxPicture::Layout MessageBoxPicture::Arrange(SIZE screen) const
{
    Layout layout{};
    const Icon* icon = IconFor(style_);
    const int iconSpace = icon ? kIconSide + kMargin : 0;

    FontDC captionDC(nullptr, MakeFont(0, FW_BOLD));
    const SIZE captionText = Measure(captionDC, caption_, DT_SINGLELINE | DT_NOPREFIX, 0);
    FontDC textDC(nullptr, MakeFont(0, FW_NORMAL));
    const int widest = std::clamp<int>(screen.cx * 2 / 3, kSmallestWidth, kWidestText) - 2 * kMargin - iconSpace;
    const SIZE text = Measure(textDC, text_, DT_WORDBREAK | DT_NOPREFIX, widest);

    const int captionHeight = captionText.cy + 8;
    const int body = std::max<int>(text.cy, icon ? kIconSide : 0);
    int width = std::max<int>({kSmallestWidth, 2 * kMargin + iconSpace + text.cx, captionText.cx + 2 * kMargin,
                               kButton.cx + 2 * kMargin});
    int height = captionHeight + kMargin + body + kMargin + kButton.cy + kMargin;
    width = std::min<int>(width, screen.cx);
    height = std::min<int>(height, screen.cy);
    layout.size = {width, height};

    layout.caption = {1, 1, width - 1, captionHeight};
    const int bodyTop = captionHeight + kMargin;
    if (icon)
        layout.icon = {kMargin, bodyTop, kMargin + kIconSide, bodyTop + kIconSide};
    // A short text stands level with the middle of the icon.
    const int textTop = bodyTop + (body - text.cy) / 2;
    layout.text = {kMargin + iconSpace, textTop, width - kMargin, textTop + text.cy};
    const int buttonLeft = (width - kButton.cx) / 2;
    const int buttonTop = height - kMargin - kButton.cy;
    layout.button = {buttonLeft, buttonTop, buttonLeft + kButton.cx, buttonTop + kButton.cy};
    return layout;
}

// ---- Painting

void MessageBoxPicture::Paint()
{
    const RECT whole{0, 0, surface_.width, surface_.height};
    {
        FontDC dc(&surface_, MakeFont(0, FW_BOLD));
        FillRect(dc, &whole, SystemBrush(COLOR_BTNFACE));
        FrameRect(dc, whole, COLOR_WINDOWFRAME);
        FillRect(dc, &layout_.caption, SystemBrush(COLOR_ACTIVECAPTION));
        RECT caption = layout_.caption;
        caption.left += 6;
        SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &caption,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (const Icon* icon = IconFor(style_)) {
        FillDisc(surface_, layout_.icon, icon->disc);
        FontDC dc(&surface_, MakeFont(-22, FW_BOLD));
        SetTextColor(dc, icon->mark);
        RECT mark = layout_.icon;
        DrawTextW(dc, icon->glyph, -1, &mark, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    {
        FontDC dc(&surface_, MakeFont(0, FW_NORMAL));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT text = layout_.text;
        DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
    }
    PaintButton();
}

void MessageBoxPicture::PaintButton()
{
    FontDC dc(&surface_, MakeFont(0, FW_NORMAL));
    // The default button wears a dark frame around its 3-D edge.
    RECT frame = layout_.button;
    InflateRect(&frame, 1, 1);
    FrameRect(dc, frame, COLOR_WINDOWFRAME);
    RECT button = layout_.button;
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed_ ? DFCS_PUSHED : 0));
    if (pushed_)
        OffsetRect(&button, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, u"OK", -1, &button, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

// ---- The stylus

bool MessageBoxPicture::Follow(Stylus stylus, POINT point, RECT& repainted)
{
    repainted = {};
    const bool onButton = PtInRect(&layout_.button, point);
    if (stylus == Stylus::Down)
        pressing_ = onButton;
    const bool pushed = pressing_ && onButton && stylus != Stylus::Up;
    if (pushed != pushed_) {
        pushed_ = pushed;
        PaintButton();
        repainted = layout_.button;
        InflateRect(&repainted, 1, 1);
    }
    if (stylus != Stylus::Up || !pressing_)
        return false;
    pressing_ = false;
    return onButton;
}

}  // namespace host
