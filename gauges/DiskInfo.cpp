#include "gauges/DiskInfo.h"

#include "config/Diagnostics.h"

#include "gauges/GaugeRows.h"

DiskInfo::DiskInfo() : GaugeObject(kFullBlock) {}

bool DiskInfo::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<DiskInfo> kKeys[] = {
        {TEXT("Folder"), 1,
         [](DiskInfo& o, const WCHAR* v) {
             o.folderLine_ = CurrentDiagnosticLine();
             return o.folder_ = CopyValue(v), true;
         }},
        {TEXT("ShowPath"), 1, &ApplyOption<DiskInfo, ShowPath>},
        {TEXT("Bar"), 1, &ApplyOption<DiskInfo, Bar>},
        {TEXT("Percent"), 1, &ApplyOption<DiskInfo, Percent>},
        {TEXT("Value"), 1, &ApplyOption<DiskInfo, Value>},
        {TEXT("CenterValue"), 1, &ApplyOption<DiskInfo, CenterValue>},
        {TEXT("CoolBar"), 1, &ApplyOption<DiskInfo, CoolBar | Bar>},
        {TEXT("Interval"), 1, &ApplyInterval<DiskInfo>},
    };
    return ParseGaugeKey(kKeys, line, length, showErrors, TEXT("DiskInfo - Ignoriere Fehler:"));
}

void DiskInfo::ReportPitfalls() const
{
    ULARGE_INTEGER freeToCaller = {};
    ULARGE_INTEGER total = {};
    if (!folder_ || GetDiskFreeSpaceExW(folder_.get(), &freeToCaller, &total, nullptr))
        return;
    ReportWarningAtLine(folderLine_, {TEXT("the folder \""), folder_.get(),
                                      TEXT("\" does not exist or cannot be read, so the gauge shows 'Fehler: \""),
                                      folder_.get(), TEXT("\"' instead of the free space; name an existing folder")});
}

void DiskInfo::Read()
{
    freeToCaller_ = {};
    total_ = {};
    read_ = folder_ && GetDiskFreeSpaceExW(folder_.get(), &freeToCaller_, &total_, nullptr);
}

void DiskInfo::Show(Output& output, int x, int y)
{
    if (!read_) {
        output.ErrorText(*this, x, y, folder_ ? folder_.get() : TEXT(""));
        return;
    }
    GaugeRow row;
    BuildBlock(row, output.Dc(), BlockFlags(), x, y);
    row.label = folder_.get();
    row.value = freeToCaller_.QuadPart;
    row.total = total_.QuadPart;
    output.Rows(row);
}
