#include "buttons/IconXPButton.h"

#include <utility>

#include "config/KeyTable.h"
#include "config/Paths.h"
#include "gauges/DibSurface.h"

IconXPButton::IconXPButton(HWND panel) : ImageButton(panel) {}

bool IconXPButton::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    using B = IconXPButton;
    static constexpr KeyRule<IconXPButton> kKeys[] = {
        {TEXT("IconNormal"), 1, [](B& b, const WCHAR* v) { return b.LoadFace(0, v), true; }},
        {TEXT("IconPushed"), 1, [](B& b, const WCHAR* v) { return b.LoadFace(1, v), true; }},
        {TEXT("SizeNormal"), 1, [](B& b, const WCHAR* v) { return b.iconSize_[0] = ParseInt(v), true; }},
        {TEXT("SizePushed"), 1, [](B& b, const WCHAR* v) { return b.iconSize_[1] = ParseInt(v), true; }},
        {TEXT("ScaleRed"), 1, [](B& b, const WCHAR* v) { return b.scale_[Red] = ParseInt(v), true; }},
        {TEXT("ScaleGreen"), 1, [](B& b, const WCHAR* v) { return b.scale_[Green] = ParseInt(v), true; }},
        {TEXT("ScaleBlue"), 1, [](B& b, const WCHAR* v) { return b.scale_[Blue] = ParseInt(v), true; }},
        {TEXT("ScaleAlpha"), 1, [](B& b, const WCHAR* v) { return b.scale_[Alpha] = ParseInt(v), true; }},
        {TEXT("Scale"), 1,
         [](B& b, const WCHAR* v) { return b.scale_[Red] = b.scale_[Green] = b.scale_[Blue] = ParseInt(v), true; }},
        {TEXT("AddRed"), 1, [](B& b, const WCHAR* v) { return b.add_[Red] = ParseInt(v), true; }},
        {TEXT("AddGreen"), 1, [](B& b, const WCHAR* v) { return b.add_[Green] = ParseInt(v), true; }},
        {TEXT("AddBlue"), 1, [](B& b, const WCHAR* v) { return b.add_[Blue] = ParseInt(v), true; }},
        {TEXT("AddAlpha"), 1, [](B& b, const WCHAR* v) { return b.add_[Alpha] = ParseInt(v), true; }},
        {TEXT("Add"), 1,
         [](B& b, const WCHAR* v) { return b.add_[Red] = b.add_[Green] = b.add_[Blue] = ParseInt(v), true; }},
        {TEXT("Gray"), 1, [](B& b, const WCHAR* v) { return b.gray_ = ParseFlag(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        break;
    case KeyResult::Unknown:
        // The base keys stay quiet: this section reports under its own name.
        if (ImageButton::ParseKey(line, length, false))
            return true;
        break;
    }
    return ReportIgnoredLine(line, TEXT("IconXPButton - Ignoriere Fehler:"), showErrors);
}

void IconXPButton::LoadFace(int face, const WCHAR* fileName)
{
    WCHAR path[kMaxPath];
    IconImage icon;
    if (ObjectRelativePath(*this, fileName, path, kMaxPath) > 0)
        icon = LoadIconImage(path, static_cast<UINT>(iconSize_[face]), static_cast<UINT>(iconSize_[face]));
    if (!icon.IsEmpty()) {
        if (scale_[Red] != 100 || scale_[Green] != 100 || scale_[Blue] != 100 || scale_[Alpha] != 100) {
            auto factor = [](int percent) { return static_cast<float>(percent) * 0.01f; };
            ScaleChannels(icon, factor(scale_[Red]), factor(scale_[Green]), factor(scale_[Blue]),
                          factor(scale_[Alpha]));
        }
        if (add_[Red] != 0 || add_[Green] != 0 || add_[Blue] != 0 || add_[Alpha] != 0) {
            // The amounts are 16-bit: larger values keep their low 16 bits.
            auto amount = [](int value) { return static_cast<SHORT>(static_cast<WORD>(value)); };
            AddToChannels(icon, amount(add_[Red]), amount(add_[Green]), amount(add_[Blue]), amount(add_[Alpha]));
        }
        if (gray_)
            MakeGray(icon);
        iconSize_[face] = icon.Width();
    }
    // A face whose file fails loses its previous icon too.
    icon_[face] = std::move(icon);
}

void IconXPButton::Measure(HDC dc)
{
    const int size = MaxUnsigned(iconSize_[0], iconSize_[1]);
    SetWidth(size);
    SetHeight(size);
    ImageButton::Measure(dc);
}

void IconXPButton::DrawImage(DibSurface& surface, int x, int y, int face)
{
    const IconImage& icon = icon_[face];
    if (icon.IsEmpty()) {
        RECT area;
        SetRect(&area, x, y, AddWrapped(x, Width()), AddWrapped(y, Height()));
        DrawTextW(surface.Dc(), TEXT("no icon"), 7, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const UINT own = static_cast<UINT>(iconSize_[face]);
    const UINT other = static_cast<UINT>(iconSize_[1 - face]);
    if (own < other) {
        const int inset = static_cast<int>((other - own) / 2);
        BlendOnto(icon, surface, AddWrapped(x, inset), AddWrapped(y, inset));
    } else {
        BlendOnto(icon, surface, x, y);
    }
}
