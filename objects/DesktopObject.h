// The base of every object that a panel shows: its rectangle in the panel,
// its refresh interval, and the operations through which the panel measures,
// draws, refreshes and taps it.
#pragma once

#include "objects/SectionHandler.h"

class DibSurface;
class Look;

class DesktopObject : public SectionHandler {
public:
    DesktopObject();

    // "x"/"X", "y"/"Y" (first character only), "Width", "Height".
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~DesktopObject() override = default;

    // Paints the object into the panel's back buffer with its top-left
    // corner at (x, y). The background mode of the surface is transparent.
    virtual void Draw(DibSurface& surface, int x, int y);
    // Called once after loading, before layout, with a screen DC; objects
    // that size themselves from their content set Width and Height here.
    virtual void Measure(HDC dc);
    // Stylus down and up, relative to the object's corner; true asks the
    // panel to redraw the object at once.
    virtual bool OnPress(int x, int y);
    virtual bool OnRelease(int x, int y);
    // True when Interval has passed since the object was last due. The next
    // interval counts from when this one ended, not from the answer, so
    // that objects of one interval stay due together at the panel's ticks;
    // an object late by a whole interval or more starts afresh from now.
    virtual bool IsDue();
    // Takes the reading that the next Draw is to show and writes into `look`
    // everything besides the rectangle and the settings that Draw's pixels
    // depend on, so that the panel can leave a due object whose look did not
    // change as it stands. False, as here: the pixels change with time or
    // history as well, and the object is drawn whenever it is due.
    virtual bool DescribeLook(Look& look);
    // Forgets a reading that DescribeLook took and no Draw showed, so that
    // the next Draw reads anew.
    void DropReading() { readingHeld_ = false; }
    // How soon after the panel is built a refresh gives the object the
    // value that its first draw could not show yet (a rate needs two
    // readings); 0 when the first draw shows it. The panel refreshes once
    // that early, whatever the intervals.
    virtual DWORD FirstValueDelay() const { return 0; }
    // Called by the loader after the object's last key line, while the file
    // is still the diagnostics place: reports to the channel what the keys
    // left wrong without a message box. This base finds nothing.
    virtual void ReportPitfalls() const;
    // Whether a tap on the object does something (a button).
    virtual bool TakesTaps() const { return false; }

    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetX(int x) { x_ = x; }
    void SetY(int y) { y_ = y; }
    void SetWidth(int width) { width_ = width; }
    void SetHeight(int height) { height_ = height; }
    DWORD Interval() const { return interval_; }
    void SetInterval(DWORD interval) { interval_ = interval; }

    // True when (x, y) in panel pixels lies in the object's rectangle.
    bool Contains(int x, int y) const;

protected:
    // For DescribeLook: the next Draw shows the reading just taken.
    void HoldReading() { readingHeld_ = true; }
    // For Draw: true, once, when DescribeLook took the reading to show.
    bool TakeHeldReading()
    {
        const bool held = readingHeld_;
        readingHeld_ = false;
        return held;
    }

private:
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    DWORD interval_ = 0;
    DWORD lastRefresh_;
    bool readingHeld_ = false;
};
