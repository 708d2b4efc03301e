// The gauge of a BATTERY section: a picture of a battery filled to the main
// battery's charge, coloured by level, with a charging sign. The plain style
// has a one-pixel outline and filled segments (terminal on the left); the
// shaded style paints vertical gradients into the pixels (terminal on the
// right). The power state comes from the platform's GetSystemPowerStatusEx2,
// looked up in "coredll.dll" when the gauge is made.
#pragma once

#include "objects/DesktopObject.h"

typedef DWORD(WINAPI* GetSystemPowerStatusEx2Proc)(PSYSTEM_POWER_STATUS_EX2 status, DWORD length, BOOL update);

class BatteryInfo : public DesktopObject {
public:
    // Loads "coredll.dll" and finds the query, reporting in a box what is
    // missing; without it the battery always draws empty. Interval: ten
    // minutes.
    BatteryInfo();

    // The colour keys, "Segments", "CoolBattery", "Interval" and "Test",
    // which shows the power state in a box at once when its flag is set.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~BatteryInfo() override;
    // Queries the power state and draws the battery in Width x Height; a
    // battery smaller than 2 x 3 pixels is not drawn.
    void Draw(DibSurface& surface, int x, int y) override;
    // The charge, the charging flag and the line state, as Draw shows them.
    bool DescribeLook(Look& look) override;
    // A tap redraws the gauge with a fresh power state.
    bool OnPress(int x, int y) override;

    // The colour of the charge at `percent`: ColorCritical at 0, ColorLow at
    // 50 and ColorHigh from 100, blended in between.
    COLORREF LevelColor(int percent) const;

private:
    // Draw shows nothing.
    bool TooSmall(int x, int y) const;
    // The power state into status_; an empty one when the query fails.
    void ReadStatus();
    bool QueryPowerStatus(SYSTEM_POWER_STATUS_EX2& status) const;
    void ShowPowerStatus() const;
    void DrawSegmentBattery(HDC dc, int x, int y, const SYSTEM_POWER_STATUS_EX2& status) const;
    void DrawCoolBattery(DibSurface& surface, int x, int y, const SYSTEM_POWER_STATUS_EX2& status) const;

    GetSystemPowerStatusEx2Proc powerStatusQuery_ = nullptr;
    HMODULE libraryHandle_ = nullptr;
    COLORREF colorCritical_ = RGB(0xD0, 0, 0);
    COLORREF colorLow_ = RGB(0xD0, 0xD0, 0);
    COLORREF colorHigh_ = RGB(0, 0xD0, 0);
    COLORREF colorBattery_ = RGB(0, 0, 0);
    COLORREF colorArrow_ = RGB(0xC0, 0xC0, 0);
    int segments_ = 3;
    bool coolBattery_ = true;
    SYSTEM_POWER_STATUS_EX2 status_ = {};
};
