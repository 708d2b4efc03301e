// The object of a GRAPH section: the history of one reading (GraphSource) as
// a graph, one sample per pixel column, the newest on the right. Samples are
// taken when the panel first draws the graph and then every Interval; a
// failed reading leaves a gap. The columns are painted in the graph's own
// picture, which a redraw shifts left by the new samples before painting
// their columns and those whose background differs from the one shifted
// onto them (the glow along a cool graph's frame, a background picture); a
// change of scale or place paints it whole.
//
// Styles: Line joins each sample to the one before it with a vertical run
// in Color; Area fills below that line with FillColor; Bars fills below
// each sample with FillColor under a pixel of Color, without joining. With
// Cool the graph lies on the cool bar's frosted glass inside its frame;
// without it, on the panel. Grid lines at the quarters, the label top left
// and the newest value top right lie inside.
#pragma once

#include "gauges/DibSurface.h"
#include "gauges/GraphHistory.h"
#include "gauges/GraphSource.h"
#include "objects/DesktopObject.h"

class GraphInfo : public DesktopObject {
public:
    enum class Style { Line, Area, Bars };

    // The processor, every second, 40 pixels high, Area, cool, the value shown.
    GraphInfo();

    // "Source", "Folder", "Interface", "Sensor", "Interval" (above 0),
    // "Width" and "Height" (above 0, at most four times the screen), "Style",
    // "Max" (not negative; 0 scales to the largest sample), "Label" (empty:
    // none), "ShowValue", "Cool" and the colours "Color", "FillColor",
    // "GridColor" ("-": no grid), "TextColor", "BorderColor", "LightColor",
    // "BlurColor". A rejected line is reported under
    // "GraphInfo - Ignoriere Fehler:".
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    ~GraphInfo() override = default;
    void Draw(DibSurface& surface, int x, int y) override;
    // A due graph takes a sample at its next draw. A load or a rate is also
    // due while its first sample waits for a second reading, which the
    // panel's early refresh takes.
    bool IsDue() override;
    DWORD FirstValueDelay() const override;

    const GraphHistory& History() const { return history_; }
    // The value at the graph's top row now.
    float Scale() const;
    // The row of the inner area (0 at its top) that `value` reaches in a
    // graph `rows` high under `scale`.
    static int RowOf(float value, float scale, int rows);

private:
    struct Area {
        int left, top, width, height;  // the inner area in the graph's picture
    };

    void TakeSample();
    Area InnerArea() const;
    // The background (frosted on `surface` at (x, y) when cool) with its
    // frame and grid, kept for the columns to come.
    void BuildGlass(DibSurface& surface, int x, int y);
    void FindUniformColumns();
    void PaintAll();
    void PaintNewest(int count);
    // Clears the columns first .. first + count - 1 of the inner area to the
    // glass and paints their samples.
    void PaintColumns(int first, int count);
    void DrawTexts(HDC dc, int x, int y) const;

    GraphSource source_;
    GraphHistory history_;
    Style style_ = Style::Area;
    int max_ = -1;  // -1: 100 for percentages, else the largest sample
    bool cool_ = true;
    bool showValue_ = true;
    bool labelShown_ = true;
    std::unique_ptr<WCHAR[]> label_;  // null: the source's
    COLORREF color_ = RGB(0, 0x60, 0);
    COLORREF fillColor_ = RGB(0x60, 0xC0, 0);
    COLORREF gridColor_ = RGB(0x80, 0x80, 0x80);
    bool grid_ = true;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF borderColor_ = RGB(0, 0, 0);
    COLORREF lightColor_ = RGB(0xFF, 0xFF, 0xFF);
    COLORREF blurColor_ = RGB(0x40, 0xFF, 0xFF);

    bool started_ = false;
    bool samplePending_ = false;
    // The graph's picture and its background, valid for the place and size
    // they were made at.
    DibSurface glass_;
    DibSurface picture_;
    bool glassValid_ = false;
    int glassX_ = 0;
    int glassY_ = 0;
    // Inner columns uniformFrom_ .. uniformTo_ - 1 have the same background.
    int uniformFrom_ = 0;
    int uniformTo_ = 0;
    unsigned long long paintedPushes_ = 0;
    float paintedScale_ = 0;
};
