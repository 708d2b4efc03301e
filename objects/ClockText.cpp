#include "objects/ClockText.h"

#include <iterator>

#include "config/KeyTable.h"
#include "objects/Look.h"

ClockText::ClockText(FormatCall format, DWORD defaultInterval, const WCHAR* errorCaption)
    : formatCall_(format), errorCaption_(errorCaption)
{
    SetInterval(defaultInterval);
}

bool ClockText::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<ClockText> kKeys[] = {
        {TEXT("Format"), 1, [](ClockText& c, const WCHAR* v) { return c.format_ = CopyValue(v), true; }},
        {TEXT("Interval"), 1,
         [](ClockText& c, const WCHAR* v) { return c.SetInterval(static_cast<DWORD>(ParseInt(v))), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, errorCaption_, showErrors);
    case KeyResult::Unknown:
        break;
    }
    return Text::ParseKey(line, length, showErrors);
}

void ClockText::RefreshText()
{
    WCHAR buffer[32];
    const int written = formatCall_(LOCALE_USER_DEFAULT, 0, nullptr, format_.get(), buffer,
                                    static_cast<int>(std::size(buffer)));
    // The count includes the terminator; 0 means failure, and the buffer then
    // holds nothing worth showing.
    if (written > 0)
        SetText(buffer, static_cast<UINT>(written - 1));
    else
        SetText(TEXT(""), 0);
}

bool ClockText::DescribeLook(Look& look)
{
    RefreshText();
    HoldReading();
    look.AddText(ShownText());
    return true;
}

void ClockText::Draw(DibSurface& surface, int x, int y)
{
    if (!TakeHeldReading())
        RefreshText();
    Text::Draw(surface, x, y);
}

void ClockText::Measure(HDC dc)
{
    RefreshText();
    Text::Measure(dc);
}
