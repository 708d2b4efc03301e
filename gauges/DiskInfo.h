// The gauge of a DISKMEM section: the free space of the volume that holds a
// folder, as a block with an optional label (the folder path), value text
// and bar. Bars and percentages show the free part. A volume that cannot be
// queried (no such folder, card removed) shows an error text instead until
// a later refresh finds it again.
#pragma once

#include <memory>

#include "gauges/GaugeObject.h"

class DiskInfo : public GaugeObject {
public:
    // Option bits, set by the keys of the same names.
    enum Option : UINT {
        ShowPath = BlockLabel,
        Bar = BlockBar,
        Value = BlockValue,
        Percent = BlockPercent,
        CenterValue = BlockCentered,
        CoolBar = BlockCool,  // "CoolBar" also sets or clears Bar
    };

    // Path, value text and cool bar with percentage, left-aligned; no folder.
    DiskInfo();

    // The colour keys, "Folder" (the rest of the line), the option keys and
    // "Interval"; other lines go to DesktopObject.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~DiskInfo() override = default;
    // Queries the volume afresh. Without a folder, or when the query fails,
    // draws 'Fehler: "<folder>"' word-wrapped in the object's rectangle.
    void Draw(DibSurface& surface, int x, int y) override;
    // A folder whose volume cannot be queried.
    void ReportPitfalls() const override;

private:
    std::unique_ptr<WCHAR[]> folder_;
    UINT folderLine_ = 0;
};
