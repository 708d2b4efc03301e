#include "app/SectionKeywords.h"

#include "config/TextParsing.h"
#include "buttons/BitmapButton.h"
#include "buttons/CommandButton.h"
#include "buttons/IconXPButton.h"
#include "buttons/WindowsButton.h"
#include "gauges/BatteryInfo.h"
#include "gauges/CpuInfo.h"
#include "gauges/DiskInfo.h"
#include "gauges/GraphInfo.h"
#include "gauges/MemoryInfo.h"
#include "gauges/NetworkInfo.h"
#include "gauges/TemperatureInfo.h"
#include "objects/CommandText.h"
#include "objects/DateInfo.h"
#include "objects/Space.h"
#include "objects/Text.h"
#include "objects/TimeInfo.h"

namespace {

template <class Object>
std::unique_ptr<DesktopObject> Make(HWND)
{
    return std::make_unique<Object>();
}

// Objects that post to their panel: the buttons and COMMAND.
template <class Object>
std::unique_ptr<DesktopObject> MakeWithPanel(HWND window)
{
    return std::make_unique<Object>(window);
}

constexpr SectionKeyword kSectionKeywords[] = {
    {TEXT("TEXT"), Make<Text>},
    {TEXT("SPACE"), Make<Space>},
    {TEXT("MEMORY"), Make<MemoryInfo>},
    {TEXT("DISKMEM"), Make<DiskInfo>},
    {TEXT("BATTERY"), Make<BatteryInfo>},
    {TEXT("CPU"), Make<CpuInfo>},
    {TEXT("NETWORK"), Make<NetworkInfo>},
    {TEXT("TEMPERATURE"), Make<TemperatureInfo>},
    {TEXT("GRAPH"), Make<GraphInfo>},
    {TEXT("DATE"), Make<DateInfo>},
    {TEXT("TIME"), Make<TimeInfo>},
    {TEXT("COMMAND"), MakeWithPanel<CommandText>},
    {TEXT("BUTTON"), MakeWithPanel<CommandButton>},
    {TEXT("BITMAPBUTTON"), MakeWithPanel<BitmapButton>},
    {TEXT("ICONXPBUTTON"), MakeWithPanel<IconXPButton>},
    {TEXT("WINDOWSBUTTON"), MakeWithPanel<WindowsButton>},
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

std::span<const SectionKeyword> SectionKeywords()
{
    return kSectionKeywords;
}
