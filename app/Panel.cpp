#include "app/Panel.h"

#include "app/GlobalSettings.h"
#include "app/PaintRedrawTarget.h"
#include "app/WindowRedrawTarget.h"
#include "config/TextParsing.h"

Panel::Panel(HWND window) : settings(std::make_unique<GlobalSettings>(window)), window_(window) {}

Panel::~Panel()
{
    settings.reset();
    paintTarget.reset();
    windowTarget.reset();
    backBuffer.Destroy();
    if (backgroundBrush)
        DeleteObject(backgroundBrush);
    if (backgroundBitmap)
        DeleteObject(backgroundBitmap);
}

void Panel::CreateBackBuffer()
{
    backBuffer.Create(width, height);
    paintTarget = std::make_unique<PaintRedrawTarget>(window_, backBuffer, *this);
    windowTarget = std::make_unique<WindowRedrawTarget>(window_, backBuffer, *this);
    settings->SetRedrawTarget(paintTarget.get());
}

void Panel::StartAnimation(UINT_PTR timer)
{
    animating = true;
    animationStart = GetTickCount();
    SetTimer(window_, timer, 20, nullptr);
}

void Panel::SetFile(const WCHAR* path)
{
    CopyText(path, filePath_, kMaxPath);
}
