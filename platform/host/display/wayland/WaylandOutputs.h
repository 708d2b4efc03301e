// The compositor's outputs, in the order it announced them, with their
// names and logical places from xdg-output (from the mode and scale where
// the compositor has no xdg-output). Plugging, unplugging and changing an
// output edits this one list and tells its owner once the output's state is
// complete (wl_output.done).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/display/Monitor.h"

struct wl_output;
struct wl_registry;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace host {

struct WaylandOutput {
    uint32_t name = 0;  // the registry's
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    Monitor monitor;     // logical pixels
    SIZE mode{};         // real pixels
    int scale = 1;       // as the compositor says; kept within 1 to kLargestScale
    bool done = false;   // its state was complete at least once
    std::function<void()>* changed = nullptr;
};

class WaylandOutputs {
public:
    // As --scale's: beyond it a panel's buffers grow absurdly large.
    static constexpr int kLargestScale = 4;
    // xdg-output with names (2), its done event moved to wl_output (3).
    static constexpr uint32_t kXdgOutputVersion = 3;

    explicit WaylandOutputs(std::function<void()> changed) : changed_(std::move(changed)) {}
    ~WaylandOutputs();
    WaylandOutputs(const WaylandOutputs&) = delete;
    WaylandOutputs& operator=(const WaylandOutputs&) = delete;

    void Add(wl_registry* registry, uint32_t name, uint32_t version);
    // False when `name` is no output.
    bool Remove(uint32_t name);
    void SetManager(zxdg_output_manager_v1* manager);

    // The outputs that can show something (complete, not empty), as monitors.
    std::vector<Monitor> Monitors() const;
    // The output that `choice` names among Monitors() (ChooseMonitor); null
    // when there is none.
    const WaylandOutput* Choose(std::string_view choice) const;

private:
    void Watch(WaylandOutput& output);
    std::vector<const WaylandOutput*> Usable() const;

    std::function<void()> changed_;
    zxdg_output_manager_v1* manager_ = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
};

}  // namespace host
