// Sections: outputs; windows; time and waiting; input; message boxes.
#include "platform/host/display/wayland/DisplayWayland.h"

#include <time.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <utility>

#include "platform/host/display/ModalLoop.h"
#include "platform/host/display/wayland/LayerSurface.h"
#include "platform/host/display/wayland/MessageDialogWayland.h"
#include "platform/host/gdi/font.h"

namespace host {

std::unique_ptr<DisplayWayland> DisplayWayland::Open(std::string& error, WaylandFailure& failure,
                                                      const std::string& monitor, std::optional<int> scale)
{
    std::unique_ptr<DisplayWayland> display(new DisplayWayland(monitor, scale.value_or(1)));
    DisplayWayland* self = display.get();
    display->connection_ = WaylandConnection::Open(error, failure, *self, [self] { self->OutputsChanged(); });
    if (!display->connection_)
        return nullptr;
    const WaylandOutputs& outputs = display->connection_->Outputs();
    if (outputs.Monitors().empty()) {
        error = "the Wayland compositor shows no output to put the panels on";
        failure = WaylandFailure::Other;
        return nullptr;
    }
    if (!outputs.Choose(monitor)) {
        error = "there is no monitor " + monitor + "; the monitors are " + DescribeMonitors(outputs.Monitors());
        failure = WaylandFailure::Other;
        return nullptr;
    }
    display->OutputsChanged();
    display->events_.clear();  // the program starts on this screen
    return display;
}

DisplayWayland::DisplayWayland(std::string monitor, int scale) : monitor_(std::move(monitor)), scale_(scale)
{
    area_.scale = scale_;
}

DisplayWayland::~DisplayWayland()
{
    views_.clear();
    if (connection_)
        connection_->Flush();
}

SIZE DisplayWayland::ScreenSize() const
{
    return area_.ProgramSize();
}

// ---- Outputs

void DisplayWayland::OutputsChanged()
{
    if (!connection_)
        return;  // still connecting: Open looks at the outputs when they are complete
    const WaylandOutputs& outputs = connection_->Outputs();
    const WaylandOutput* chosen = outputs.Choose(monitor_);
    if (!chosen)
        chosen = outputs.Choose("");
    if (!chosen) {
        // Without any output the panels are hidden and wait for one, in
        // their places.
        outputName_ = 0;
        output_ = nullptr;
        for (auto& [window, view] : views_)
            Update(view);
        return;
    }
    const RECT& rect = chosen->monitor.rect;
    const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    const bool moved = chosen->name != outputName_;
    if (!moved && size.cx == area_.size.cx && size.cy == area_.size.cy && chosen->scale == outputScale_)
        return;
    const bool resized = size.cx != area_.size.cx || size.cy != area_.size.cy;
    outputName_ = chosen->name;
    output_ = chosen->output;
    outputScale_ = chosen->scale;
    area_.size = size;
    for (auto& [window, view] : views_) {
        if (moved)
            view.layer.reset();  // made anew on the new output
        Update(view);
    }
    if (moved || resized)
        events_.push_back({DisplayEvent::Kind::ScreenChanged, {}});
}

// ---- Windows

void DisplayWayland::Update(View& view)
{
    const bool seen = view.shown && view.surface && !IsRectEmpty(&view.rect) && output_;
    if (!seen) {
        view.layer.reset();
        return;
    }
    if (!view.layer) {
        const auto layer = view.topmost ? LayerSurface::Layer::Top : LayerSurface::Layer::Bottom;
        view.layer = std::make_unique<LayerSurface>(*connection_, output_, layer, false);
        if (!(view.layered == LayeredStyle{}))
            view.layer->SetLayered(view.layered);
    }
    Place(view);
}

void DisplayWayland::Place(View& view)
{
    view.layer->SetScale(scale_, outputScale_);
    view.layer->Place(area_.ToReal(view.rect), area_.size);
}

void DisplayWayland::WindowCreated(HWND window, const RECT& rect, const Surface* surface)
{
    views_[window] = {nullptr, surface, rect, false, false, {}};
}

void DisplayWayland::WindowDestroyed(HWND window)
{
    views_.erase(window);
}

void DisplayWayland::WindowMoved(HWND window, const RECT& rect, const Surface* surface)
{
    const auto found = views_.find(window);
    if (found == views_.end())
        return;
    View& view = found->second;
    view.surface = surface;
    view.rect = rect;
    Update(view);
}

void DisplayWayland::WindowShown(HWND window, bool visible)
{
    const auto found = views_.find(window);
    if (found == views_.end())
        return;
    found->second.shown = visible;
    Update(found->second);
}

void DisplayWayland::WindowsStacked(const std::vector<StackedWindow>& stack)
{
    // Within a layer the compositor stacks surfaces as it likes; what the
    // program decides is the layer.
    for (const StackedWindow& entry : stack) {
        const auto found = views_.find(entry.window);
        if (found == views_.end() || found->second.topmost == entry.topmost)
            continue;
        found->second.topmost = entry.topmost;
        found->second.layer.reset();
        Update(found->second);
    }
}

void DisplayWayland::WindowLayered(HWND window, const LayeredStyle& style)
{
    const auto found = views_.find(window);
    if (found == views_.end())
        return;
    found->second.layered = style;
    if (found->second.layer)
        found->second.layer->SetLayered(style);
}

void DisplayWayland::Present(HWND window, const RECT& rect)
{
    const auto found = views_.find(window);
    if (found != views_.end() && found->second.layer)
        found->second.layer->Changed(rect);
}

void DisplayWayland::CommitAll()
{
    for (auto& [window, view] : views_) {
        if (view.layer && view.layer->Closed()) {
            // Its output went away; it comes back on the program's output.
            view.layer.reset();
            Update(view);
        }
        if (view.layer)
            view.layer->Commit(*view.surface);
    }
    for (MessageDialogWayland* dialog : dialogs_) {
        if (!dialog->Closed() && !dialog->Commit())
            DialogClosed();
    }
}

// ---- Time and waiting

void DisplayWayland::Sleep(DWORD milliseconds)
{
    // An animation sleeps between its steps: each step is shown, and the
    // buffers the compositor gives back are taken meanwhile.
    const uint64_t end = Now() + milliseconds;
    for (;;) {
        CommitAll();
        const uint64_t now = Now();
        if (now >= end)
            return;
        connection_->Pump(static_cast<int>(std::min<uint64_t>(end - now, INT_MAX)));
    }
}

bool DisplayWayland::TakeArrived()
{
    CommitAll();
    // The socket is read by the wait that follows, and what it brings is
    // taken when the wait returns.
    connection_->DispatchQueued();
    return !events_.empty() || std::exchange(messagePosted_, false);
}

bool DisplayWayland::WaitForArrival(int timeout)
{
    return connection_->Pump(timeout);
}

// ---- Input

void DisplayWayland::PointerEvent(wl_surface* surface, Button button, double x, double y)
{
    for (MessageDialogWayland* dialog : dialogs_) {
        if (dialog->Id() == surface) {
            if (dialog->Pointer(button, x, y))
                DialogClosed();
            return;
        }
    }
    if (button == Button::Move)
        return;
    const auto found = std::find_if(views_.begin(), views_.end(), [surface](const auto& entry) {
        return entry.second.layer && entry.second.layer->Id() == surface;
    });
    if (found == views_.end())
        return;
    const bool down = button == Button::Down;
    // The owner of an open message box is disabled, as on Windows. A release
    // still comes through: it may end a press made before the box opened.
    if (down && std::find(ownersOfDialogs_.begin(), ownersOfDialogs_.end(), found->first) != ownersOfDialogs_.end())
        return;
    // Logical pixels of the surface, which may lie outside it while the
    // button is held.
    const RECT& rect = found->second.rect;
    const POINT point{rect.left + static_cast<LONG>(std::floor(x / scale_)),
                      rect.top + static_cast<LONG>(std::floor(y / scale_))};
    events_.push_back({down ? DisplayEvent::Kind::StylusDown : DisplayEvent::Kind::StylusUp, point});
}

void DisplayWayland::KeyPressed(wl_surface* surface, uint32_t keysym)
{
    for (MessageDialogWayland* dialog : dialogs_) {
        if (dialog->Id() == surface && dialog->KeyPressed(keysym))
            DialogClosed();
    }
}

void DisplayWayland::DialogClosed()
{
    // The modal loop waits in GetMessageW; a message wakes it to see that
    // its dialog is done.
    PostMessageW(nullptr, WM_NULL, 0, 0);
    messagePosted_ = true;
}

// ---- Message boxes

int DisplayWayland::MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style)
{
    MessageDialogWayland dialog(*connection_, output_, area_, outputScale_, text, caption, style);
    dialogs_.push_back(&dialog);
    if (owner)
        ownersOfDialogs_.push_back(owner);
    RunModalLoop([&dialog] { return dialog.Closed(); });
    std::erase(dialogs_, &dialog);
    if (owner)
        ownersOfDialogs_.erase(std::find(ownersOfDialogs_.begin(), ownersOfDialogs_.end(), owner));
    return IDOK;
}

bool DisplayWayland::WriteSnapshot(const char*) const
{
    fputs("ostrevia: the Wayland display takes no snapshots; take screenshots with the compositor's tools (grim)\n",
          stderr);
    return false;
}

}  // namespace host
