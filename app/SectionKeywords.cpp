#include "app/SectionKeywords.h"

#include "config/TextParsing.h"
#include "objects/DesktopObject.h"

namespace {

template <DWORD Interval>
std::unique_ptr<DesktopObject> MakeObject(HWND)
{
    auto object = std::make_unique<DesktopObject>();
    object->SetInterval(Interval);
    return object;
}

// FIXME: every kind is a plain DesktopObject until the object classes land.
// DATE and TIME refresh every ten minutes and every minute unless their
// section says otherwise.
constexpr SectionKeyword kSectionKeywords[] = {
    {TEXT("TEXT"), MakeObject<0>},
    {TEXT("SPACE"), MakeObject<0>},
    {TEXT("MEMORY"), MakeObject<0>},
    {TEXT("DISKMEM"), MakeObject<0>},
    {TEXT("BATTERY"), MakeObject<0>},
    {TEXT("DATE"), MakeObject<600000>},
    {TEXT("TIME"), MakeObject<60000>},
    {TEXT("BUTTON"), MakeObject<0>},
    {TEXT("BITMAPBUTTON"), MakeObject<0>},
    {TEXT("ICONXPBUTTON"), MakeObject<0>},
    {TEXT("WINDOWSBUTTON"), MakeObject<0>},
    {TEXT("GLOBALSETTINGS"), nullptr},
};

}  // namespace

const SectionKeyword* FindSectionKeyword(const WCHAR* line)
{
    for (const SectionKeyword& entry : kSectionKeywords) {
        if (IsKey(line, entry.keyword))
            return &entry;
    }
    return nullptr;
}
