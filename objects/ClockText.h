// A Text whose text is the current date or time, formatted by the platform in
// the user's locale from an optional picture string ("Format") and refreshed
// whenever the object is measured or drawn. The base of DateInfo and
// TimeInfo, which differ only in the formatting call, their default refresh
// interval and their error caption.
#pragma once

#include "objects/Text.h"

class ClockText : public Text {
public:
    // GetDateFormatW or GetTimeFormatW.
    using FormatCall = int(WINAPI*)(LCID locale, DWORD flags, const SYSTEMTIME* moment, LPCWSTR picture,
                                    LPWSTR buffer, int size);

    // "Format" and "Interval", then the Text keys. Either without a value is
    // reported with the class's own caption.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    void Draw(DibSurface& surface, int x, int y) override;
    void Measure(HDC dc) override;
    // The text of the present moment.
    bool DescribeLook(Look& look) override;

    // Formats the present moment into the text (at most 31 characters). When
    // the platform cannot format it (a bad picture, a result that does not
    // fit) the text becomes empty.
    void RefreshText();

protected:
    // `errorCaption` is a literal: it is not copied.
    ClockText(FormatCall format, DWORD defaultInterval, const WCHAR* errorCaption);

private:
    FormatCall formatCall_;
    const WCHAR* errorCaption_;
    std::unique_ptr<WCHAR[]> format_;  // null: the locale's default picture
};
