#include "objects/DesktopObject.h"

#include <cstdint>

#include "config/KeyTable.h"

DesktopObject::DesktopObject() : lastRefresh_(GetTickCount()) {}

bool DesktopObject::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<DesktopObject> kKeys[] = {
        {TEXT("x"), 1, [](DesktopObject& o, const WCHAR* v) { return o.x_ = ParseInt(v), true; }},
        {TEXT("X"), 1, [](DesktopObject& o, const WCHAR* v) { return o.x_ = ParseInt(v), true; }},
        {TEXT("y"), 1, [](DesktopObject& o, const WCHAR* v) { return o.y_ = ParseInt(v), true; }},
        {TEXT("Y"), 1, [](DesktopObject& o, const WCHAR* v) { return o.y_ = ParseInt(v), true; }},
        {TEXT("Width"), 1, [](DesktopObject& o, const WCHAR* v) { return o.width_ = ParseInt(v), true; }},
        {TEXT("Height"), 1, [](DesktopObject& o, const WCHAR* v) { return o.height_ = ParseInt(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("DesktopObject - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return ReportIgnoredLine(line, TEXT("DesktopObject - Ignoriere unbekannten Wert:"), showErrors);
}

void DesktopObject::Draw(DibSurface&, int, int) {}

void DesktopObject::Measure(HDC) {}

void DesktopObject::ReportPitfalls() const {}

bool DesktopObject::OnPress(int, int)
{
    return false;
}

bool DesktopObject::OnRelease(int, int)
{
    return false;
}

bool DesktopObject::IsDue()
{
    if (interval_ == 0)
        return false;
    // Unsigned differences: harmless across the tick counter's wrap.
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - lastRefresh_;
    if (elapsed < interval_)
        return false;
    lastRefresh_ = elapsed - interval_ < interval_ ? lastRefresh_ + interval_ : now;
    return true;
}

bool DesktopObject::DescribeLook(Look&)
{
    return false;
}

bool DesktopObject::Contains(int x, int y) const
{
    // Widened: configured sizes may be huge.
    const int64_t left = x_, top = y_;
    return left <= x && x < left + width_ && top <= y && y < top + height_;
}
