#include "app/PaintRedrawTarget.h"

void PaintRedrawTarget::EndRedraw(const RECT& rect)
{
    if (paintDc_)
        CopyToScreen(paintDc_, rect);
}
