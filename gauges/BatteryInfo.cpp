#include "gauges/BatteryInfo.h"

#include <algorithm>
#include <iterator>

#include "config/KeyTable.h"
#include "gauges/DibSurface.h"
#include "gauges/DrawingRange.h"
#include "gauges/SelectedPen.h"
#include "gauges/VerticalGradient.h"
#include "objects/Look.h"

namespace {

// A point of a drawing given as fractions of the battery's size.
struct Fraction {
    int xNumerator;
    int xDenominator;
    int yNumerator;
    int yDenominator;
};

template <size_t N>
void DrawPolyline(HDC dc, const POINT (&points)[N])
{
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (size_t i = 1; i < N; ++i)
        LineTo(dc, points[i].x, points[i].y);
}

// Opaque pixel values of a colour: itself, lighter (x 255/128) and darker
// (x 44/128).
struct Shades {
    DWORD base;
    DWORD light;
    DWORD dark;
};

Shades ShadesOf(COLORREF color)
{
    auto pixel = [color](int numerator, int denominator) {
        auto scale = [&](int channel) { return static_cast<DWORD>(std::min(channel * numerator / denominator, 255)); };
        return 0xFF000000u | scale(GetRValue(color)) << 16 | scale(GetGValue(color)) << 8 | scale(GetBValue(color));
    };
    return Shades{pixel(1, 1), pixel(255, 128), pixel(44, 128)};
}

}  // namespace

BatteryInfo::BatteryInfo()
{
    SetInterval(600000);
    libraryHandle_ = LoadLibraryW(TEXT("coredll.dll"));
    if (!libraryHandle_) {
        MessageBoxW(nullptr, TEXT("LoadLibrary - \"coredll.dll\""), TEXT("Fehler"), MB_ICONERROR);
        return;
    }
    // Through the generic function type: a direct cast between unrelated
    // function types draws a warning.
    powerStatusQuery_ = reinterpret_cast<GetSystemPowerStatusEx2Proc>(
        reinterpret_cast<void (*)()>(GetProcAddressW(libraryHandle_, TEXT("GetSystemPowerStatusEx2"))));
    if (!powerStatusQuery_)
        MessageBoxW(nullptr, TEXT("GetProcAddress - \"GetSystemPowerStatusEx2\""), TEXT("Fehler"), MB_ICONERROR);
}

BatteryInfo::~BatteryInfo()
{
    if (libraryHandle_)
        FreeLibrary(libraryHandle_);
}

bool BatteryInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<BatteryInfo> kKeys[] = {
        {TEXT("ColorBattery"), 6, [](BatteryInfo& o, const WCHAR* v) { return o.colorBattery_ = ParseColor(v), true; }},
        {TEXT("ColorCritical"), 6,
         [](BatteryInfo& o, const WCHAR* v) { return o.colorCritical_ = ParseColor(v), true; }},
        {TEXT("ColorLow"), 6, [](BatteryInfo& o, const WCHAR* v) { return o.colorLow_ = ParseColor(v), true; }},
        {TEXT("ColorHigh"), 6, [](BatteryInfo& o, const WCHAR* v) { return o.colorHigh_ = ParseColor(v), true; }},
        {TEXT("ColorArrow"), 6, [](BatteryInfo& o, const WCHAR* v) { return o.colorArrow_ = ParseColor(v), true; }},
        {TEXT("Segments"), 1, [](BatteryInfo& o, const WCHAR* v) { return o.segments_ = ParseInt(v), true; }},
        {TEXT("CoolBattery"), 1, [](BatteryInfo& o, const WCHAR* v) { return o.coolBattery_ = ParseFlag(v), true; }},
        {TEXT("Interval"), 1,
         [](BatteryInfo& o, const WCHAR* v) { return o.SetInterval(static_cast<DWORD>(ParseInt(v))), true; }},
        {TEXT("Test"), 1,
         [](BatteryInfo& o, const WCHAR* v) {
             if (ParseFlag(v) && o.powerStatusQuery_)
                 o.ShowPowerStatus();
             return true;
         }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("Batterie - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return DesktopObject::ParseKey(line, length, showErrors);
}

bool BatteryInfo::QueryPowerStatus(SYSTEM_POWER_STATUS_EX2& status) const
{
    return powerStatusQuery_ && powerStatusQuery_(&status, sizeof(status), TRUE) != 0;
}

void BatteryInfo::ShowPowerStatus() const
{
    SYSTEM_POWER_STATUS_EX2 status = {};
    if (!QueryPowerStatus(status)) {
        MessageBoxW(nullptr, TEXT("GetSystemPowerStatusEx2"), TEXT("Fehler"), MB_SETFOREGROUND | MB_ICONINFORMATION);
        return;
    }
    // The longest report (every number at its widest) is 367 characters.
    WCHAR text[384];
    wsprintfW(text,
              TEXT("ACLineStatus: %d\nBatteryFlag: %d\nBatteryLifePercent: %d\nBatteryLifeTime: %d\n"
                   "BatteryFullLifeTime: %d\nBackupBatteryFlag:%d\nBackupBatteryLifePercent: %d\n"
                   "BackupBatteryLifeTime: %d\nBackupBatteryFullLifeTime: %d\nBatteryVoltage: %u\n"
                   "BatteryCurrent: %d\nBatteryTemperature: %d\nBackupBatteryVoltage: %d"),
              static_cast<int>(status.ACLineStatus), static_cast<int>(status.BatteryFlag),
              static_cast<int>(status.BatteryLifePercent), static_cast<int>(status.BatteryLifeTime),
              static_cast<int>(status.BatteryFullLifeTime), static_cast<int>(status.BackupBatteryFlag),
              static_cast<int>(status.BackupBatteryLifePercent), static_cast<int>(status.BackupBatteryLifeTime),
              static_cast<int>(status.BackupBatteryFullLifeTime), static_cast<unsigned>(status.BatteryVoltage),
              static_cast<int>(status.BatteryCurrent), static_cast<int>(status.BatteryTemperature),
              static_cast<int>(status.BackupBatteryVoltage));
    MessageBoxW(nullptr, text, TEXT("System Power Status"), MB_SETFOREGROUND | MB_ICONINFORMATION);
}

bool BatteryInfo::TooSmall(int x, int y) const
{
    return Width() < 2 || Height() < 3 || !InDrawingRange(x, y);
}

void BatteryInfo::ReadStatus()
{
    status_ = {};
    // A failed query may have written part of the record: draw empty.
    if (!QueryPowerStatus(status_))
        status_ = SYSTEM_POWER_STATUS_EX2{};
}

bool BatteryInfo::DescribeLook(Look& look)
{
    if (TooSmall(X(), Y()))
        return true;
    ReadStatus();
    HoldReading();
    look.Add(status_.BatteryLifePercent);
    look.Add(status_.BatteryFlag);
    look.Add(status_.ACLineStatus);
    return true;
}

void BatteryInfo::Draw(DibSurface& surface, int x, int y)
{
    if (TooSmall(x, y))
        return;
    if (!TakeHeldReading())
        ReadStatus();
    if (coolBattery_)
        DrawCoolBattery(surface, x, y, status_);
    else
        DrawSegmentBattery(surface.Dc(), x, y, status_);
}

bool BatteryInfo::OnPress(int, int)
{
    return true;
}

COLORREF BatteryInfo::LevelColor(int percent) const
{
    const bool lowerHalf = percent <= 50;
    const COLORREF a = lowerHalf ? colorCritical_ : colorLow_;
    const COLORREF b = lowerHalf ? colorLow_ : colorHigh_;
    const int t = lowerHalf ? percent : std::min(percent - 50, 50);
    auto blend = [t](int from, int to) { return (from * (50 - t) + to * t) / 50; };
    return RGB(blend(GetRValue(a), GetRValue(b)), blend(GetGValue(a), GetGValue(b)),
               blend(GetBValue(a), GetBValue(b)));
}

void BatteryInfo::DrawSegmentBattery(HDC dc, int x, int y, const SYSTEM_POWER_STATUS_EX2& status) const
{
    const int width = ClampExtent(Width());
    const int height = ClampExtent(Height());
    const int terminal = height / 4;
    {
        SelectedPen pen(dc, colorBattery_, 1);
        const POINT outline[] = {
            {x + terminal, y + height - 1}, {x + terminal, y + 3 * height / 4}, {x, y + 3 * height / 4},
            {x, y + height / 4},            {x + terminal, y + height / 4},     {x + terminal, y},
            {x + width - 1, y},             {x + width - 1, y + height - 1},    {x + terminal, y + height - 1},
        };
        DrawPolyline(dc, outline);
    }

    const int percent = status.BatteryLifePercent;
    HBRUSH brush = CreateSolidBrush(percent <= 33 ? colorCritical_ : percent <= 66 ? colorLow_ : colorHigh_);
    const int margin = 3 * width < 128 ? 1 : 3 * width / 128;
    const int left = x + terminal + margin + 1;
    const LONGLONG span = width - terminal - margin - 2;
    const int segments = segments_;
    // With more segments than pixels every segment is narrower than its gap
    // and would show nothing; no segments at all for a count below 1.
    if (segments >= 1 && segments <= span) {
        // Segment 0 lies at the end away from the terminal.
        for (int i = 0; i < segments && i * 100 / segments < percent; ++i) {
            const RECT segment = {static_cast<LONG>(left + (segments - i - 1) * span / segments), y + margin + 1,
                                  static_cast<LONG>(left + (segments - i) * span / segments - margin),
                                  y + height - margin - 1};
            FillRect(dc, &segment, brush);
        }
    }
    DeleteObject(brush);

    if (status.BatteryFlag & BATTERY_FLAG_CHARGING) {
        RECT rect = {left, y + 1, x + width - margin, y + height};
        DrawTextW(dc, TEXT("wird geladen"), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void BatteryInfo::DrawCoolBattery(DibSurface& surface, int x, int y, const SYSTEM_POWER_STATUS_EX2& status) const
{
    const int width = ClampExtent(Width());
    const int height = ClampExtent(Height());
    // The shading stops two pixels before the surface's right edge.
    const LONGLONG span = x + static_cast<LONGLONG>(width) > surface.Width() ? surface.Width() - 2 - static_cast<LONGLONG>(x) : width - 2;
    // A gauge starting within two pixels of that edge would paint left of itself.
    if (span < 0)
        return;
    const int percent = status.BatteryLifePercent;
    const int bodyEnd = x + static_cast<int>(span);
    const int fillEnd = std::min(x + static_cast<int>(percent * span / 100), bodyEnd);
    const int middle = y + 5 * height / 11;
    const int bottom = y + height;
    const Shades level = ShadesOf(LevelColor(percent));
    const Shades body = ShadesOf(colorBattery_);

    VerticalGradient(surface, RECT{x, y, fillEnd, middle}, level.base, level.light);
    VerticalGradient(surface, RECT{fillEnd, y, bodyEnd, middle}, body.base, body.light);
    VerticalGradient(surface, RECT{x, middle, fillEnd, bottom}, level.light, level.dark);
    VerticalGradient(surface, RECT{fillEnd, middle, bodyEnd, bottom}, body.light, body.dark);
    VerticalGradient(surface, RECT{bodyEnd + 1, y + height / 3, bodyEnd + 2, bottom - height / 3}, body.light,
                     body.dark);

    HDC dc = surface.Dc();
    {
        SelectedPen pen(dc, RGB(0x40, 0x40, 0x40), 1);
        MoveToEx(dc, bodyEnd, y + height / 3 - 1, nullptr);
        LineTo(dc, bodyEnd, bottom - height / 3 + 1);
    }

    if ((status.BatteryFlag & BATTERY_FLAG_CHARGING) || status.ACLineStatus == AC_LINE_ONLINE) {
        // A zigzag ending in a triangular head that points right.
        static constexpr Fraction kArrow[] = {
            {1, 7, 1, 2}, {19, 42, 2, 3}, {17, 42, 1, 3}, {5, 7, 1, 2},
            {5, 7, 1, 3}, {6, 7, 1, 2},   {5, 7, 2, 3},   {5, 7, 1, 2},
        };
        POINT points[std::size(kArrow)];
        for (size_t i = 0; i < std::size(kArrow); ++i) {
            const Fraction& f = kArrow[i];
            points[i] = {x + f.xNumerator * width / f.xDenominator, y + f.yNumerator * height / f.yDenominator};
        }
        SelectedPen pen(dc, colorArrow_, std::max(height / 12, 1));
        DrawPolyline(dc, points);
    }
}
