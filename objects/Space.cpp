#include "objects/Space.h"

#include "config/KeyTable.h"

bool Space::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<Space> kKeys[] = {
        {TEXT("Space"), 1, [](Space& s, const WCHAR* v) { return s.spaceSize_ = ParseInt(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("Space - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return DesktopObject::ParseKey(line, length, showErrors);
}

void Space::Measure(HDC)
{
    SetWidth(spaceSize_);
    SetHeight(spaceSize_);
}
