#include "platform/host/display/wayland/WaylandOutputs.h"

#include <wayland-client.h>

#include <algorithm>

#include "xdg-output-unstable-v1-client-protocol.h"

namespace host {
namespace {

constexpr uint32_t kOutputVersion = 3;  // scale and done (2), release (3)

// The logical size from the mode where xdg-output says nothing.
void Complete(WaylandOutput& output)
{
    RECT& rect = output.monitor.rect;
    if (!output.xdgOutput && output.mode.cx > 0)
        rect = {rect.left, rect.top, rect.left + output.mode.cx / output.scale,
                rect.top + output.mode.cy / output.scale};
    output.done = true;
    (*output.changed)();
}

const wl_output_listener kOutputListener{
    .geometry = [](void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
                   int32_t) {
        auto& output = *static_cast<WaylandOutput*>(data);
        if (!output.xdgOutput)
            OffsetRect(&output.monitor.rect, x - output.monitor.rect.left, y - output.monitor.rect.top);
    },
    .mode = [](void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT)
            static_cast<WaylandOutput*>(data)->mode = {std::max(width, 0), std::max(height, 0)};
    },
    .done = [](void* data, wl_output*) { Complete(*static_cast<WaylandOutput*>(data)); },
    // A scale of 0, or one far beyond any screen, is the compositor's
    // mistake: the nearest sound one is taken.
    .scale = [](void* data, wl_output*, int32_t factor) {
        static_cast<WaylandOutput*>(data)->scale = std::clamp(factor, 1, WaylandOutputs::kLargestScale);
    },
    // Version 4's, which is not bound.
    .name = [](void*, wl_output*, const char*) {},
    .description = [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener kXdgOutputListener{
    .logical_position = [](void* data, zxdg_output_v1*, int32_t x, int32_t y) {
        RECT& rect = static_cast<WaylandOutput*>(data)->monitor.rect;
        OffsetRect(&rect, x - rect.left, y - rect.top);
    },
    .logical_size = [](void* data, zxdg_output_v1*, int32_t width, int32_t height) {
        RECT& rect = static_cast<WaylandOutput*>(data)->monitor.rect;
        rect.right = rect.left + std::max(width, 0);
        rect.bottom = rect.top + std::max(height, 0);
    },
    // Before version 3 the xdg-output has a done event of its own.
    .done = [](void* data, zxdg_output_v1* xdgOutput) {
        if (zxdg_output_v1_get_version(xdgOutput) < 3)
            Complete(*static_cast<WaylandOutput*>(data));
    },
    .name = [](void* data, zxdg_output_v1*, const char* name) {
        static_cast<WaylandOutput*>(data)->monitor.name = name;
    },
    .description = [](void*, zxdg_output_v1*, const char*) {},
};

}  // namespace

WaylandOutputs::~WaylandOutputs()
{
    for (const auto& output : outputs_) {
        if (output->xdgOutput)
            zxdg_output_v1_destroy(output->xdgOutput);
        wl_output_release(output->output);
    }
    if (manager_)
        zxdg_output_manager_v1_destroy(manager_);
}

void WaylandOutputs::Add(wl_registry* registry, uint32_t name, uint32_t version)
{
    if (version < kOutputVersion)
        return;
    auto output = std::make_unique<WaylandOutput>();
    output->name = name;
    output->changed = &changed_;
    output->output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, kOutputVersion));
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    Watch(*output);
    outputs_.push_back(std::move(output));
}

bool WaylandOutputs::Remove(uint32_t name)
{
    const auto found = std::find_if(outputs_.begin(), outputs_.end(),
                                    [name](const auto& output) { return output->name == name; });
    if (found == outputs_.end())
        return false;
    if ((*found)->xdgOutput)
        zxdg_output_v1_destroy((*found)->xdgOutput);
    wl_output_release((*found)->output);
    outputs_.erase(found);
    changed_();
    return true;
}

void WaylandOutputs::SetManager(zxdg_output_manager_v1* manager)
{
    manager_ = manager;
    for (const auto& output : outputs_)
        Watch(*output);
}

void WaylandOutputs::Watch(WaylandOutput& output)
{
    if (!manager_ || output.xdgOutput)
        return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(manager_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
}

std::vector<const WaylandOutput*> WaylandOutputs::Usable() const
{
    std::vector<const WaylandOutput*> usable;
    for (const auto& output : outputs_) {
        if (output->done && !IsRectEmpty(&output->monitor.rect))
            usable.push_back(output.get());
    }
    return usable;
}

std::vector<Monitor> WaylandOutputs::Monitors() const
{
    std::vector<Monitor> monitors;
    for (const WaylandOutput* output : Usable())
        monitors.push_back(output->monitor);
    return monitors;
}

const WaylandOutput* WaylandOutputs::Choose(std::string_view choice) const
{
    const std::vector<Monitor> monitors = Monitors();
    const Monitor* chosen = ChooseMonitor(monitors, choice);
    return chosen ? Usable()[static_cast<size_t>(chosen - monitors.data())] : nullptr;
}

}  // namespace host
