// See-through and click-through panels: the GLOBALSETTINGS keys Opacity,
// TransparentColor and ClickThrough become a layered window, which the
// system composites over whatever lies below it.
#pragma once

#include "platform/win32.h"

class GlobalSettings;
class Panel;

// Makes `window` layered (and transparent to taps with ClickThrough) with the
// panel's alpha and key colour, or plain again when the settings ask for
// nothing of it; a plain window that stays plain is left untouched. Called
// before the window is first shown and whenever its panel is reloaded;
// moving and sizing keep what is set.
void ApplySeeThrough(HWND window, const GlobalSettings& settings);

// The alpha byte of an opacity in percent, rounded to the nearest.
BYTE OpacityAlpha(int opacity);

// Reports what makes a see-through panel useless: ClickThrough with buttons or
// QuitOnDoubleClick (no tap ever reaches them), and a key colour that covers
// the whole composed panel (nothing of it can be seen).
void ReportSeeThroughPitfalls(const Panel& panel);
