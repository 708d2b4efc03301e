// The gauge of a MEMORY section: a block for physical memory and one for the
// process's virtual address space, each with an optional label, value text
// and bar. Bars and percentages show the free part.
#pragma once

#include "gauges/GaugeObject.h"

class MemoryInfo : public GaugeObject {
public:
    // Option bits, set by the keys of the same names.
    enum Option : UINT {
        PhysMemString = 0x001,
        VirtMemString = 0x002,
        PhysMemBar = 0x004,
        VirtMemBar = 0x008,
        PhysMemValue = 0x010,
        VirtMemValue = 0x020,
        PhysMemPercent = 0x040,
        VirtMemPercent = 0x080,
        CoolMemBar = 0x100,  // both blocks
    };

    // Physical block with label, value text, cool bar and percentage.
    MemoryInfo();

    // The colour keys, the option keys ("CoolPhysMemBar" and "CoolVirtMemBar"
    // set or clear the bar together with the shared cool style),
    // "CenterValue" and "Interval"; other lines go to DesktopObject.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~MemoryInfo() override = default;
    // Row height from the DC's font; Height of both blocks and the gap.
    void Measure(HDC dc) override;

protected:
    // The memory status, read once for both blocks.
    void Read() override;
    // Both blocks; the virtual block starts 2 pixels below the physical one.
    void Show(Output& output, int x, int y) override;

private:
    enum class Block { Physical, Virtual };
    UINT BlockFlags(Block block) const;

    bool centerValue_ = false;
    int physicalBlockHeight_ = 0;
    MEMORYSTATUS status_ = {};
};
