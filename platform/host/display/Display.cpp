#include "platform/host/display/Display.h"

#include "platform/host/display/DisplayHeadless.h"

namespace host {
namespace {

std::unique_ptr<Display>& Installed()
{
    static std::unique_ptr<Display> display;
    return display;
}

}  // namespace

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
