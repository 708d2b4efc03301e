#include "platform/host/display/x11/X11Monitors.h"

#include <X11/Xresource.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace host {
namespace {

constexpr int kLargestScale = 4;

std::vector<Monitor> RandrMonitors(::Display* display)
{
    std::vector<Monitor> monitors;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 105)
        return monitors;
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    for (int i = 0; info && i < count; ++i) {
        Monitor monitor;
        if (char* name = XGetAtomName(display, info[i].name)) {
            monitor.name = name;
            XFree(name);
        }
        monitor.rect = {info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height};
        // The primary monitor comes first, as in Xinerama's list.
        monitors.insert(info[i].primary ? monitors.begin() : monitors.end(), monitor);
    }
    if (info)
        XRRFreeMonitors(info);
    return monitors;
}

std::vector<Monitor> XineramaHeads(::Display* display)
{
    std::vector<Monitor> heads;
    int event = 0;
    int error = 0;
    if (!XineramaQueryExtension(display, &event, &error) || !XineramaIsActive(display))
        return heads;
    int count = 0;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
    for (int i = 0; info && i < count; ++i) {
        const XineramaScreenInfo& head = info[i];
        heads.push_back({"", {head.x_org, head.y_org, head.x_org + head.width, head.y_org + head.height}});
    }
    if (info)
        XFree(info);
    return heads;
}

bool SamePlace(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

std::vector<Monitor> QueryMonitors(::Display* display)
{
    const std::vector<Monitor> named = RandrMonitors(display);
    std::vector<Monitor> monitors = XineramaHeads(display);
    if (monitors.empty())
        monitors = named;
    for (Monitor& monitor : monitors) {
        for (const Monitor& candidate : named) {
            if (monitor.name.empty() && SamePlace(monitor.rect, candidate.rect))
                monitor.name = candidate.name;
        }
    }
    if (monitors.empty()) {
        const int screen = DefaultScreen(display);
        monitors.push_back({"", {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)}});
    }
    return monitors;
}

int ScaleFromDpi(const char* dpi)
{
    if (!dpi)
        return 1;
    char* end = nullptr;
    const double value = strtod(dpi, &end);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == dpi || !end || *end != '\0' || !std::isfinite(value))
        return 1;
    const double scale = std::round(value / 96);
    return scale >= 1 && scale <= kLargestScale ? static_cast<int>(scale) : 1;
}

int DesktopScale(::Display* display)
{
    const char* resources = XResourceManagerString(display);
    if (!resources)
        return 1;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (!database)
        return 1;
    char* type = nullptr;
    XrmValue value{};
    int scale = 1;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr && type &&
        strcmp(type, "String") == 0)
        scale = ScaleFromDpi(value.addr);
    XrmDestroyDatabase(database);
    return scale;
}

}  // namespace host
