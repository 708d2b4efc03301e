// The settings of one panel as a whole and the owner of its objects: the
// GLOBALSETTINGS sections of a panel file go to its ParseKey, the loader
// appends each object it makes, and the window procedure routes taps through
// it to the objects.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/AnimationKind.h"
#include "app/RefreshMemo.h"
#include "objects/SectionHandler.h"

class DesktopObject;
class RedrawTarget;

enum PanelArrangement : int {
    ArrangeVertical = 0,    // stacked top to bottom, objects as wide as the panel
    ArrangeHorizontal = 1,  // side by side
    ArrangeNone = 2,        // objects keep their own positions
};

class GlobalSettings : public SectionHandler {
public:
    // `window` is the panel window; buttons get it to post to.
    explicit GlobalSettings(HWND window);

    // Takes a GLOBALSETTINGS key line. Rejected lines are reported when
    // `showErrors` is set, except the animation keys, whose missing or
    // unknown names are ignored silently.
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // Destroys the objects in list order.
    ~GlobalSettings() override;

    // The objects in file order, which is also the layout, drawing and
    // hit-test order.
    const std::vector<std::unique_ptr<DesktopObject>>& Objects() const { return objects_; }
    void AddObject(std::unique_ptr<DesktopObject> object);

    // Stylus down at (x, y) in panel pixels: the first object under the point
    // becomes the pressed object and gets OnPress; it is redrawn through the
    // current redraw target when it asks. False when no object is there.
    bool PressAt(int x, int y);
    // Stylus up: the pressed object gets OnRelease, wherever the point lies.
    // False when nothing was pressed.
    bool ReleaseAt(int x, int y);

    RedrawTarget* CurrentRedrawTarget() const { return redrawTarget_; }
    // What the objects showed when they were last drawn.
    RefreshMemo& Memo() { return memo_; }
    void SetRedrawTarget(RedrawTarget* target) { redrawTarget_ = target; }

    HWND Window() const { return window_; }
    int X() const { return x_; }
    int Y() const { return y_; }
    int Distance() const { return distance_; }
    PanelArrangement Arrange() const { return arrange_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    int Border() const { return border_; }
    DWORD Refresh() const { return refresh_; }
    COLORREF BackgroundColor() const { return backgroundColor_; }
    // The full path of the background picture, or null.
    const WCHAR* BackgroundBitmap() const { return backgroundBitmap_.empty() ? nullptr : backgroundBitmap_.c_str(); }
    // The picture's source column and row; -1 stands for the panel's X or Y.
    int BitmapOffsetX() const { return bitmapOffsetX_; }
    int BitmapOffsetY() const { return bitmapOffsetY_; }
    bool ShowMessage() const { return showMessage_; }
    bool QuitOnDoubleClick() const { return quitOnDoubleClick_; }
    bool TopMost() const { return topMost_; }
    AnimationKind StartUpAnimation() const { return startUpAnimation_; }
    void SetStartUpAnimation(AnimationKind kind) { startUpAnimation_ = kind; }
    AnimationKind ShutDownAnimation() const { return shutDownAnimation_; }
    void SetShutDownAnimation(AnimationKind kind) { shutDownAnimation_ = kind; }
    bool Accelerated() const { return accelerated_; }
    DWORD AnimationTime() const { return animationTime_; }
    void SetAnimationTime(DWORD milliseconds) { animationTime_ = milliseconds; }
    // The whole panel's opacity in percent, 0 to 100.
    int Opacity() const { return opacity_; }
    // Whether pixels of exactly TransparentColor are see-through.
    bool HasTransparentColor() const { return hasTransparentColor_; }
    COLORREF TransparentColor() const { return transparentColor_; }
    // Taps pass to whatever lies below the panel.
    bool ClickThrough() const { return clickThrough_; }
    // Whether the window must be layered: something of the desktop shows
    // through the panel, or taps pass through it.
    bool SeeThrough() const { return opacity_ < 100 || hasTransparentColor_ || clickThrough_; }

    // Where messages about the panel as a whole point: the line of the first
    // GLOBALSETTINGS header (1 when there is none), and the line of the
    // BackgroundBitmap key in use.
    UINT SectionLine() const { return sectionLine_ != 0 ? sectionLine_ : 1; }
    void NoteSectionLine(UINT line)
    {
        if (sectionLine_ == 0)
            sectionLine_ = line;
    }
    UINT BackgroundBitmapLine() const { return backgroundBitmapLine_; }
    // The lines of the TransparentColor and ClickThrough keys in use (0: none).
    UINT TransparentColorLine() const { return transparentColorLine_; }
    UINT ClickThroughLine() const { return clickThroughLine_; }

private:
    std::vector<std::unique_ptr<DesktopObject>> objects_;
    DesktopObject* pressedObject_ = nullptr;
    int x_ = 0;
    int y_ = 0;
    int distance_ = 2;
    PanelArrangement arrange_ = ArrangeVertical;
    int width_ = 128;
    int height_ = 0;
    int border_ = 0;
    DWORD refresh_ = 0;
    COLORREF backgroundColor_ = 0;
    std::basic_string<WCHAR> backgroundBitmap_;
    int bitmapOffsetX_ = 0;
    int bitmapOffsetY_ = 0;
    bool showMessage_ = true;
    bool quitOnDoubleClick_ = true;
    bool topMost_ = true;
    HWND window_;
    RedrawTarget* redrawTarget_ = nullptr;
    RefreshMemo memo_;
    AnimationKind startUpAnimation_ = FlyRight;
    AnimationKind shutDownAnimation_ = FlyDown;
    bool accelerated_ = true;
    DWORD animationTime_ = 800;
    int opacity_ = 100;
    bool hasTransparentColor_ = false;
    COLORREF transparentColor_ = 0;
    bool clickThrough_ = false;
    UINT sectionLine_ = 0;
    UINT backgroundBitmapLine_ = 0;
    UINT transparentColorLine_ = 0;
    UINT clickThroughLine_ = 0;
};
