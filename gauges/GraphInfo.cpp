#include "gauges/GraphInfo.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "config/KeyTable.h"
#include "gauges/BarPainter.h"
#include "gauges/DrawingRange.h"

namespace {

constexpr int kTextMargin = 2;

// Graphs up to four times the screen, as panels are; larger ones could never
// be seen and would cost memory for nothing.
bool IsGraphExtent(int extent, int screenMetric)
{
    return extent > 0 && static_cast<LONGLONG>(extent) <= 4LL * GetSystemMetrics(screenMetric);
}

// Rows first .. last - 1 of one column of `dc` in `brush`.
void FillColumn(HDC dc, int left, int first, int last, HBRUSH brush)
{
    const RECT rect = {left, first, left + 1, last};
    FillRect(dc, &rect, brush);
}

}  // namespace

GraphInfo::GraphInfo()
{
    SetInterval(1000);
    SetHeight(40);
}

bool GraphInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<GraphInfo> kKeys[] = {
        {TEXT("Source"), 1, [](GraphInfo& o, const WCHAR* v) { return o.source_.SetKind(v); }},
        {TEXT("Folder"), 1, [](GraphInfo& o, const WCHAR* v) { return o.source_.SetFolder(CopyValue(v)), true; }},
        {TEXT("Interface"), 1,
         [](GraphInfo& o, const WCHAR* v) { return o.source_.SetInterface(CopyValue(v)), true; }},
        {TEXT("Sensor"), 1, [](GraphInfo& o, const WCHAR* v) { return o.source_.SetSensor(CopyValue(v)), true; }},
        {TEXT("Interval"), 1,
         [](GraphInfo& o, const WCHAR* v) {
             const int interval = ParseInt(v);
             if (interval <= 0)
                 return false;
             o.SetInterval(static_cast<DWORD>(interval));
             return true;
         }},
        {TEXT("Width"), 1,
         [](GraphInfo& o, const WCHAR* v) {
             const int width = ParseInt(v);
             return IsGraphExtent(width, SM_CXSCREEN) && (o.SetWidth(width), true);
         }},
        {TEXT("Height"), 1,
         [](GraphInfo& o, const WCHAR* v) {
             const int height = ParseInt(v);
             return IsGraphExtent(height, SM_CYSCREEN) && (o.SetHeight(height), true);
         }},
        {TEXT("Style"), 1,
         [](GraphInfo& o, const WCHAR* v) {
             if (IsKey(v, TEXT("Line")))
                 o.style_ = Style::Line;
             else if (IsKey(v, TEXT("Area")))
                 o.style_ = Style::Area;
             else if (IsKey(v, TEXT("Bars")))
                 o.style_ = Style::Bars;
             else
                 return false;
             return true;
         }},
        {TEXT("Max"), 1,
         [](GraphInfo& o, const WCHAR* v) {
             const int max = ParseInt(v);
             return max >= 0 && (o.max_ = max, true);
         }},
        {TEXT("Label"), 0,
         [](GraphInfo& o, const WCHAR* v) {
             o.labelShown_ = v != nullptr;
             o.label_ = v ? CopyValue(v) : nullptr;
             return true;
         }},
        {TEXT("ShowValue"), 1, [](GraphInfo& o, const WCHAR* v) { return o.showValue_ = ParseFlag(v), true; }},
        {TEXT("Cool"), 1, [](GraphInfo& o, const WCHAR* v) { return o.cool_ = ParseFlag(v), true; }},
        {TEXT("Color"), 6, [](GraphInfo& o, const WCHAR* v) { return o.color_ = ParseColor(v), true; }},
        {TEXT("FillColor"), 6, [](GraphInfo& o, const WCHAR* v) { return o.fillColor_ = ParseColor(v), true; }},
        {TEXT("GridColor"), 1,
         [](GraphInfo& o, const WCHAR* v) {
             o.grid_ = v[0] != TEXT('-');
             if (o.grid_) {
                 if (TextLength(v) < 6)
                     return false;
                 o.gridColor_ = ParseColor(v);
             }
             return true;
         }},
        {TEXT("TextColor"), 6, [](GraphInfo& o, const WCHAR* v) { return o.textColor_ = ParseColor(v), true; }},
        {TEXT("BorderColor"), 6, [](GraphInfo& o, const WCHAR* v) { return o.borderColor_ = ParseColor(v), true; }},
        {TEXT("LightColor"), 6, [](GraphInfo& o, const WCHAR* v) { return o.lightColor_ = ParseColor(v), true; }},
        {TEXT("BlurColor"), 6, [](GraphInfo& o, const WCHAR* v) { return o.blurColor_ = ParseColor(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("GraphInfo - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return DesktopObject::ParseKey(line, length, showErrors);
}

bool GraphInfo::IsDue()
{
    const bool waiting = history_.Pushed() == 0 && source_.WaitsForFirstStep();
    if (!DesktopObject::IsDue() && !waiting)
        return false;
    samplePending_ = true;
    return true;
}

DWORD GraphInfo::FirstValueDelay() const
{
    return source_.WaitsForFirstStep() ? kSecondReadingDelay : 0;
}

float GraphInfo::Scale() const
{
    if (max_ > 0)
        return static_cast<float>(max_);
    if (max_ < 0 && source_.IsPercentage())
        return 100;
    return ReadableCeiling(history_.Largest());
}

int GraphInfo::RowOf(float value, float scale, int rows)
{
    const float share = value <= 0 ? 0 : (value >= scale ? 1 : value / scale);
    return (rows - 1) - static_cast<int>(std::lround(share * static_cast<float>(rows - 1)));
}

void GraphInfo::TakeSample()
{
    const GraphSource::Sample sample = source_.Read();
    if (sample.taken)
        history_.Push(sample.value);
}

GraphInfo::Area GraphInfo::InnerArea() const
{
    const int inset = cool_ ? 1 : 0;
    return Area{inset, inset, ClampExtent(Width()) - 2 * inset, ClampExtent(Height()) - 2 * inset};
}

void GraphInfo::Draw(DibSurface& surface, int x, int y)
{
    const Area inner = InnerArea();
    if (inner.width < 1 || inner.height < 1)
        return;
    history_.Resize(inner.width);
    if (!started_ || samplePending_)
        TakeSample();
    started_ = true;
    samplePending_ = false;

    const int width = ClampExtent(Width());
    const int height = ClampExtent(Height());
    // Like a cool bar, a graph is drawn only where it lies wholly on the panel.
    if (!surface.Pixels() || !InDrawingRange(x, y) || x < 0 || y < 0 || x + width > surface.Width() ||
        y + height > surface.Height())
        return;
    const bool placed = glassValid_ && x == glassX_ && y == glassY_ && glass_.Width() == width &&
                        glass_.Height() == height;
    if (!placed) {
        BuildGlass(surface, x, y);
        if (!glassValid_)
            return;
    }
    const float scale = Scale();
    const unsigned long long fresh = history_.Pushed() - paintedPushes_;
    if (!placed || scale != paintedScale_ || fresh >= static_cast<unsigned long long>(inner.width))
        PaintAll();
    else if (fresh > 0)
        PaintNewest(static_cast<int>(fresh));
    paintedPushes_ = history_.Pushed();
    paintedScale_ = scale;

    BitBlt(surface.Dc(), x, y, width, height, picture_.Dc(), 0, 0, SRCCOPY);
    DrawTexts(surface.Dc(), x, y);
}

void GraphInfo::BuildGlass(DibSurface& surface, int x, int y)
{
    const int width = ClampExtent(Width());
    const int height = ClampExtent(Height());
    const RECT rect = {x, y, x + width, y + height};
    if (cool_) {
        FrostBar(surface, rect, blurColor_, lightColor_);
        DrawBarFrame(surface.Dc(), rect, borderColor_);
    }
    glassValid_ = glass_.Create(width, height) && picture_.Create(width, height);
    if (!glassValid_)
        return;
    glassX_ = x;
    glassY_ = y;
    BitBlt(glass_.Dc(), 0, 0, width, height, surface.Dc(), x, y, SRCCOPY);
    if (grid_) {
        const Area inner = InnerArea();
        HBRUSH brush = CreateSolidBrush(gridColor_);
        for (int quarter = 1; quarter <= 3; ++quarter) {
            const int row = inner.top + RowOf(static_cast<float>(quarter), 4, inner.height);
            const RECT line = {inner.left, row, inner.left + inner.width, row + 1};
            FillRect(glass_.Dc(), &line, brush);
        }
        DeleteObject(brush);
    }
    FindUniformColumns();
}

void GraphInfo::FindUniformColumns()
{
    const Area inner = InnerArea();
    auto sameColumns = [&](int a, int b) {
        for (int row = inner.top; row < inner.top + inner.height; ++row) {
            if (std::memcmp(glass_.CursorAt(inner.left + a, row).rowStart, glass_.CursorAt(inner.left + b, row).rowStart,
                            3) != 0)
                return false;
        }
        return true;
    };
    const int middle = inner.width / 2;
    uniformFrom_ = middle;
    while (uniformFrom_ > 0 && sameColumns(uniformFrom_ - 1, middle))
        --uniformFrom_;
    uniformTo_ = middle + 1;
    while (uniformTo_ < inner.width && sameColumns(uniformTo_, middle))
        ++uniformTo_;
}

void GraphInfo::PaintAll()
{
    PaintColumns(0, InnerArea().width);
}

void GraphInfo::PaintNewest(int count)
{
    const Area inner = InnerArea();
    for (int row = inner.top; row < inner.top + inner.height; ++row) {
        BYTE* start = picture_.CursorAt(inner.left, row).rowStart;
        std::memmove(start, start + 4 * count, 4 * static_cast<size_t>(inner.width - count));
    }
    // A column keeps its background only where the one shifted onto it had
    // the same.
    const int kept = std::max(uniformFrom_, uniformTo_ - count);
    if (kept <= uniformFrom_) {
        PaintAll();
        return;
    }
    if (uniformFrom_ > 0)
        PaintColumns(0, uniformFrom_);
    PaintColumns(kept, inner.width - kept);
}

void GraphInfo::PaintColumns(int first, int count)
{
    const Area inner = InnerArea();
    HDC dc = picture_.Dc();
    BitBlt(dc, inner.left + first, inner.top, count, inner.height, glass_.Dc(), inner.left + first, inner.top,
           SRCCOPY);
    HBRUSH line = CreateSolidBrush(color_);
    HBRUSH fill = CreateSolidBrush(fillColor_);
    const float scale = Scale();
    const int bottom = inner.top + inner.height;
    for (int column = first; column < first + count; ++column) {
        const int age = inner.width - 1 - column;
        if (age >= history_.Count())
            continue;
        const std::optional<float> sample = history_.Newest(age);
        if (!sample)
            continue;
        const int left = inner.left + column;
        const int row = inner.top + RowOf(*sample, scale, inner.height);
        if (style_ != Style::Line)
            FillColumn(dc, left, row + 1, bottom, fill);
        // The line runs from the sample to the row next to the previous
        // sample's, which its own column holds.
        int from = row;
        int to = row + 1;
        const std::optional<float> previous =
            style_ != Style::Bars && age + 1 < history_.Count() ? history_.Newest(age + 1) : std::nullopt;
        if (previous) {
            const int before = inner.top + RowOf(*previous, scale, inner.height);
            if (before < row)
                from = before + 1;
            else if (before > row)
                to = before;
        }
        FillColumn(dc, left, from, to, line);
    }
    DeleteObject(line);
    DeleteObject(fill);
}

void GraphInfo::DrawTexts(HDC dc, int x, int y) const
{
    const Area inner = InnerArea();
    RECT rect = {x + inner.left + kTextMargin, y + inner.top, x + inner.left + inner.width - kTextMargin,
                 y + inner.top + inner.height};
    const COLORREF previousColor = SetTextColor(dc, textColor_);
    if (labelShown_) {
        WCHAR text[64];
        if (label_)
            CopyText(label_.get(), text, 64);
        else
            source_.FormatLabel(text);
        DrawTextW(dc, text, -1, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (showValue_ && history_.Count() > 0) {
        if (const std::optional<float> newest = history_.Newest()) {
            WCHAR text[32];
            source_.FormatValue(*newest, text);
            DrawTextW(dc, text, -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    SetTextColor(dc, previousColor);
}
