#include "platform/host/display/Display.h"

#include <cstdio>

#include "platform/host/display/headless/DisplayHeadless.h"

namespace host {
namespace {

std::unique_ptr<Display>& Installed()
{
    static std::unique_ptr<Display> display;
    return display;
}

}  // namespace

bool Display::TakeEvent(DisplayEvent& event)
{
    if (events_.empty())
        return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void Display::RunEnding()
{
    if (ended_)
        return;
    ended_ = true;
    if (!endSnapshot_.empty() && !WriteSnapshot(endSnapshot_.c_str()))
        fprintf(stderr, "snapshot: cannot write %s\n", endSnapshot_.c_str());
}

Display& TheDisplay()
{
    if (!Installed())
        Installed() = std::make_unique<DisplayHeadless>();
    return *Installed();
}

void InstallDisplay(std::unique_ptr<Display> display)
{
    Installed() = std::move(display);
}

}  // namespace host
