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
    // A folder whose volume cannot be queried.
    void ReportPitfalls() const override;

protected:
    // Queries the volume afresh.
    void Read() override;
    // Without a folder, or when the query failed, 'Fehler: "<folder>"'
    // word-wrapped in the object's rectangle.
    void Show(Output& output, int x, int y) override;

private:
    std::unique_ptr<WCHAR[]> folder_;
    UINT folderLine_ = 0;
    bool read_ = false;
    ULARGE_INTEGER freeToCaller_ = {};
    ULARGE_INTEGER total_ = {};
};
