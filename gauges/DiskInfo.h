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
        ShowPath = 0x01,
        Bar = 0x02,
        Value = 0x04,
        Percent = 0x08,
        CenterValue = 0x10,
        CoolBar = 0x20,  // "CoolBar" also sets or clears Bar
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
    // Row height from the DC's font; Height of the selected rows.
    void Measure(HDC dc) override;

private:
    UINT Flags() const;
    void DrawError(HDC dc, int x, int y) const;

    std::unique_ptr<WCHAR[]> folder_;
};
