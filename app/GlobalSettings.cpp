#include "app/GlobalSettings.h"

#include <cstdint>

#include "app/Layout.h"
#include "app/PanelPainting.h"
#include "config/Diagnostics.h"
#include "config/KeyTable.h"
#include "config/Paths.h"
#include "objects/DesktopObject.h"

namespace {

void ParseAnimationSetting(const WCHAR* value, AnimationKind& kind)
{
    if (value && ParseAnimationName(value, kind))
        return;
    ReportWarning({TEXT("\""), value ? value : TEXT(""),
                   TEXT("\" is no animation name, so the panel keeps its animation; the names are "),
                   AnimationNameList()});
}

// A percentage: a value that is no number at all is refused (read as 0 it
// would hide the panel); a number outside 0 to 100 is brought into it.
bool ParseOpacity(const WCHAR* value, int& opacity)
{
    if (!(value[0] >= TEXT('0') && value[0] <= TEXT('9')) && value[0] != TEXT('-'))
        return false;
    const int asked = ParseInt(value);
    opacity = asked < 0 ? 0 : asked > 100 ? 100 : asked;
    if (opacity != asked)
        ReportWarning({TEXT("Opacity \""), value, TEXT("\" lies outside 0 to 100, so the panel is shown at "),
                       opacity == 0 ? TEXT("0 (invisible)") : TEXT("100 (opaque)"),
                       TEXT("; write a percentage, for example 85")});
    return true;
}

}  // namespace

GlobalSettings::GlobalSettings(HWND window) : window_(window) {}

GlobalSettings::~GlobalSettings()
{
    // Objects go in file order, as the panel made them.
    for (std::unique_ptr<DesktopObject>& object : objects_)
        object.reset();
}

void GlobalSettings::AddObject(std::unique_ptr<DesktopObject> object)
{
    objects_.push_back(std::move(object));
}

bool GlobalSettings::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    using Rule = KeyRule<GlobalSettings>;
    static constexpr Rule kKeys[] = {
        {TEXT("BackgroundColor"), 6, [](GlobalSettings& s, const WCHAR* v) { return s.backgroundColor_ = ParseColor(v), true; }},
        {TEXT("BackgroundBitmap"), 5, [](GlobalSettings& s, const WCHAR* v) {
             WCHAR path[kMaxPath];
             if (ObjectRelativePath(s, v, path, kMaxPath) == 0)
                 return false;
             s.backgroundBitmap_ = path;
             s.backgroundBitmapLine_ = CurrentDiagnosticLine();
             return true;
         }},
        {TEXT("BitmapOffsetX"), 1, [](GlobalSettings& s, const WCHAR* v) {
             return s.bitmapOffsetX_ = (v[0] == TEXT('x') || v[0] == TEXT('X')) ? -1 : ParseInt(v), true;
         }},
        {TEXT("BitmapOffsetY"), 1, [](GlobalSettings& s, const WCHAR* v) {
             return s.bitmapOffsetY_ = (v[0] == TEXT('y') || v[0] == TEXT('Y')) ? -1 : ParseInt(v), true;
         }},
        // The position keys are recognised by their first letter alone.
        {TEXT("X"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.x_ = ParseInt(v), true; }},
        {TEXT("x"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.x_ = ParseInt(v), true; }},
        {TEXT("Y"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.y_ = ParseInt(v), true; }},
        {TEXT("y"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.y_ = ParseInt(v), true; }},
        {TEXT("Border"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.border_ = ParseInt(v), true; }},
        {TEXT("Distance"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.distance_ = ParseInt(v), true; }},
        {TEXT("Width"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.width_ = ParseInt(v), true; }},
        {TEXT("Height"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.height_ = ParseInt(v), true; }},
        {TEXT("Arrange"), 1, [](GlobalSettings& s, const WCHAR* v) {
             if (IsKey(v, TEXT("Vertical")))
                 s.arrange_ = ArrangeVertical;
             else if (IsKey(v, TEXT("Horizontal")))
                 s.arrange_ = ArrangeHorizontal;
             else if (IsKey(v, TEXT("No")))
                 s.arrange_ = ArrangeNone;
             else
                 return false;
             return true;
         }},
        {TEXT("Refresh"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.refresh_ = static_cast<DWORD>(ParseInt(v)), true; }},
        {TEXT("QuitOnDoubleClick"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.quitOnDoubleClick_ = ParseFlag(v), true; }},
        // A missing or unknown animation name keeps the setting; no box says so.
        {TEXT("StartUpAnimation"), 0, [](GlobalSettings& s, const WCHAR* v) {
             ParseAnimationSetting(v, s.startUpAnimation_);
             return true;
         }},
        {TEXT("ShutDownAnimation"), 0, [](GlobalSettings& s, const WCHAR* v) {
             ParseAnimationSetting(v, s.shutDownAnimation_);
             return true;
         }},
        {TEXT("Accelerated"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.accelerated_ = ParseFlag(v), true; }},
        {TEXT("AnimationTime"), 1, [](GlobalSettings& s, const WCHAR* v) {
             return s.animationTime_ = static_cast<DWORD>(ParseInt(v)), true;
         }},
        {TEXT("TopMost"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.topMost_ = ParseFlag(v), true; }},
        {TEXT("ShowMessage"), 1, [](GlobalSettings& s, const WCHAR* v) { return s.showMessage_ = ParseFlag(v), true; }},
        {TEXT("Opacity"), 1, [](GlobalSettings& s, const WCHAR* v) { return ParseOpacity(v, s.opacity_); }},
        // A wrong key colour would cut holes elsewhere: only six digits are taken.
        {TEXT("TransparentColor"), 6, [](GlobalSettings& s, const WCHAR* v) {
             if (!IsColor(v))
                 return false;
             s.transparentColor_ = ParseColor(v);
             s.hasTransparentColor_ = true;
             s.transparentColorLine_ = CurrentDiagnosticLine();
             return true;
         }},
        {TEXT("ClickThrough"), 1, [](GlobalSettings& s, const WCHAR* v) {
             s.clickThrough_ = ParseFlag(v);
             s.clickThroughLine_ = CurrentDiagnosticLine();
             return true;
         }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("GlobalSetting - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return ReportIgnoredLine(line, TEXT("GlobalSettings - Ignoriere unbekannten Wert:"), showErrors);
}

bool GlobalSettings::PressAt(int x, int y)
{
    DesktopObject* object = ObjectAt(*this, x, y);
    if (!object)
        return false;
    pressedObject_ = object;
    if (object->OnPress(x - object->X(), y - object->Y()))
        RedrawObject(*this, *object);
    return true;
}

bool GlobalSettings::ReleaseAt(int x, int y)
{
    DesktopObject* object = pressedObject_;
    if (!object)
        return false;
    // The point may lie far outside the object: the difference is taken in
    // 64 bits and wraps like the 32-bit value it is.
    const int relativeX = static_cast<int>(int64_t{x} - object->X());
    const int relativeY = static_cast<int>(int64_t{y} - object->Y());
    if (object->OnRelease(relativeX, relativeY))
        RedrawObject(*this, *object);
    // A command run by OnRelease may have pressed another object meanwhile.
    if (pressedObject_ == object)
        pressedObject_ = nullptr;
    return true;
}
