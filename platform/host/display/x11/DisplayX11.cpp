// Sections: windows; time and waiting; events; message boxes; snapshots.
#include "platform/host/display/x11/DisplayX11.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/host/display/ModalLoop.h"
#include "platform/host/display/PngFile.h"
#include "platform/host/display/WakeSources.h"
#include "platform/host/display/x11/X11Monitors.h"
#include "platform/host/gdi/font.h"

namespace host {

std::unique_ptr<DisplayX11> DisplayX11::Open(std::string& error, const std::string& monitor,
                                              std::optional<int> scale, bool* noSuchMonitor)
{
    std::unique_ptr<X11Connection> connection = X11Connection::Open(error);
    if (!connection)
        return nullptr;
    const std::vector<Monitor> monitors = QueryMonitors(connection->Server());
    if (!ChooseMonitor(monitors, monitor)) {
        error = "there is no monitor " + monitor + "; the monitors are " + DescribeMonitors(monitors);
        if (noSuchMonitor)
            *noSuchMonitor = true;
        return nullptr;
    }
    const int chosenScale = scale ? *scale : DesktopScale(connection->Server());
    return std::unique_ptr<DisplayX11>(new DisplayX11(std::move(connection), monitor, chosenScale));
}

DisplayX11::DisplayX11(std::unique_ptr<X11Connection> connection, std::string monitor, int scale)
    : connection_(std::move(connection)), monitor_(std::move(monitor)), scale_(scale)
{
    area_ = ChosenArea();
    ::Display* server = connection_->Server();
    int error = 0;
    if (XRRQueryExtension(server, &randrEvents_, &error))
        XRRSelectInput(server, connection_->Root(), RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask |
                                                        RROutputChangeNotifyMask);
    else
        randrEvents_ = -1;
    // A new set of RandR monitors reconfigures the root window.
    XSelectInput(server, connection_->Root(), StructureNotifyMask);
}

ScreenArea DisplayX11::ChosenArea() const
{
    const std::vector<Monitor> monitors = QueryMonitors(connection_->Server());
    const Monitor* chosen = ChooseMonitor(monitors, monitor_);
    const RECT& rect = (chosen ? *chosen : monitors.front()).rect;
    return {{rect.left, rect.top}, {rect.right - rect.left, rect.bottom - rect.top}, scale_};
}

bool DisplayX11::MonitorsChanged()
{
    const ScreenArea area = ChosenArea();
    if (area.origin.x == area_.origin.x && area.origin.y == area_.origin.y && area.size.cx == area_.size.cx &&
        area.size.cy == area_.size.cy)
        return false;
    area_ = area;
    for (auto& [window, view] : views_)
        view.window->Place(area_.ToReal(view.rect));
    events_.push_back({DisplayEvent::Kind::ScreenChanged, {}});
    return true;
}

DisplayX11::~DisplayX11()
{
    views_.clear();
    XSync(connection_->Server(), False);
}

SIZE DisplayX11::ScreenSize() const
{
    return area_.ProgramSize();
}

// ---- Windows

void DisplayX11::WindowCreated(HWND window, const RECT& rect, const Surface* surface)
{
    const long events = ButtonPressMask | ButtonReleaseMask | ExposureMask | VisibilityChangeMask;
    auto made = std::make_unique<X11Window>(*connection_, area_.ToReal(rect), events, "Ostrevia", scale_);
    byId_[made->Id()] = window;
    views_[window] = {std::move(made), surface, rect};
}

void DisplayX11::WindowDestroyed(HWND window)
{
    const auto found = views_.find(window);
    if (found == views_.end())
        return;
    byId_.erase(found->second.window->Id());
    views_.erase(found);
}

void DisplayX11::WindowMoved(HWND window, const RECT& rect, const Surface* surface)
{
    const auto found = views_.find(window);
    if (found == views_.end())
        return;
    View& view = found->second;
    const RECT before = view.rect;
    view.surface = surface;
    view.rect = rect;
    view.window->Place(area_.ToReal(rect));
    // A window flying in brings parts onto the screen that the server never
    // had; they are put there at once from the surface, which holds the
    // whole picture, rather than after the round trip of an Expose. (A size
    // change repaints anyway.)
    const bool sameSize = rect.right - rect.left == before.right - before.left &&
                          rect.bottom - rect.top == before.bottom - before.top;
    if (sameSize && surface)
        view.window->Present(*surface, {0, 0, surface->width, surface->height});
}

void DisplayX11::WindowShown(HWND window, bool visible)
{
    const auto found = views_.find(window);
    if (found != views_.end())
        found->second.window->Show(visible);
}

void DisplayX11::WindowLayered(HWND window, const LayeredStyle& style)
{
    const auto found = views_.find(window);
    if (found == views_.end())
        return;
    View& view = found->second;
    const ::Window was = view.window->Id();
    view.window->SetLayered(style);
    if (view.window->Id() == was)
        return;
    byId_.erase(was);
    byId_[view.window->Id()] = window;
    Restack(false);
    if (view.surface)
        view.window->Present(*view.surface, {0, 0, view.surface->width, view.surface->height});
}

void DisplayX11::WindowsStacked(const std::vector<StackedWindow>& stack)
{
    stack_ = stack;
    Restack(false);
}

void DisplayX11::Restack(bool topmostOnly)
{
    std::vector<::Window> order;
    for (const StackedWindow& entry : stack_) {
        const auto found = views_.find(entry.window);
        if (found != views_.end() && (entry.topmost || !topmostOnly))
            order.push_back(found->second.window->Id());
    }
    if (order.empty())
        return;
    // Our topmost window goes above every other window on the screen, the
    // rest follow it in order; open dialogs stay above them all.
    XRaiseWindow(connection_->Server(), order.front());
    XRestackWindows(connection_->Server(), order.data(), static_cast<int>(order.size()));
    for (MessageDialogX11* dialog : dialogs_)
        dialog->Raise();
}

bool DisplayX11::CoveredByNormalWindow(::Window id) const
{
    ::Display* server = connection_->Server();
    XWindowAttributes ours;
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XGetWindowAttributes(server, id, &ours) ||
        !XQueryTree(server, connection_->Root(), &root, &parent, &children, &count))
        return false;
    // The root's children, bottom first: look at those above ours.
    bool above = false, covered = false;
    for (unsigned int i = 0; i < count && !covered; ++i) {
        if (children[i] == id) {
            above = true;
            continue;
        }
        // Panels are override-redirect windows: known without asking.
        XWindowAttributes other;
        if (!above || WindowOf(children[i]) || !XGetWindowAttributes(server, children[i], &other) ||
            other.map_state != IsViewable || other.override_redirect)
            continue;
        covered = other.x < ours.x + ours.width && ours.x < other.x + other.width && other.y < ours.y + ours.height &&
                  ours.y < other.y + other.height;
    }
    if (children)
        XFree(children);
    return covered;
}

void DisplayX11::Present(HWND window, const RECT& rect)
{
    const auto found = views_.find(window);
    if (found != views_.end() && found->second.surface)
        found->second.window->Present(*found->second.surface, rect);
}

// ---- Time and waiting

void DisplayX11::Sleep(DWORD milliseconds)
{
    XFlush(connection_->Server());
    timespec span{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
    while (nanosleep(&span, &span) != 0) {
    }
}

bool DisplayX11::TakeArrived()
{
    return Pump();
}

bool DisplayX11::WaitForArrival(int timeout)
{
    // Pump() has flushed what we asked of the server.
    return WaitForInput(ConnectionNumber(connection_->Server()), timeout).woken;
}

// ---- Events

bool DisplayX11::Pump()
{
    ::Display* server = connection_->Server();
    bool happened = !events_.empty();
    while (XPending(server)) {
        XEvent event;
        XNextEvent(server, &event);
        happened = Handle(event) || happened;
    }
    return happened;
}

HWND DisplayX11::WindowOf(::Window id) const
{
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

MessageDialogX11* DisplayX11::DialogOf(::Window id) const
{
    const auto found = std::find_if(dialogs_.begin(), dialogs_.end(),
                                    [id](const MessageDialogX11* dialog) { return dialog->Id() == id; });
    return found == dialogs_.end() ? nullptr : *found;
}

bool DisplayX11::Handle(const XEvent& event)
{
    const ::Window id = event.xany.window;
    const bool randr = randrEvents_ >= 0 && event.type >= randrEvents_ && event.type <= randrEvents_ + RRNotify;
    if (randr || (event.type == ConfigureNotify && id == connection_->Root())) {
        // Keeps Xlib's idea of the screen up to date; windows are put
        // against the root window's own size.
        XRRUpdateConfiguration(const_cast<XEvent*>(&event));
        if (!randr)
            connection_->RootResized(event.xconfigure.width, event.xconfigure.height);
        return MonitorsChanged();
    }
    if (event.type == connection_->ShmCompletionType()) {
        const ::Window drawable = reinterpret_cast<const XShmCompletionEvent&>(event).drawable;
        if (HWND window = WindowOf(drawable))
            views_[window].window->PresentCompleted();
        else if (MessageDialogX11* dialog = DialogOf(drawable))
            dialog->PresentCompleted();
        return false;
    }
    if (MessageDialogX11* dialog = DialogOf(id)) {
        if (!dialog->Handle(event))
            return false;
        // The modal loop waits in GetMessageW; a message wakes it to see
        // that its dialog is done.
        PostMessageW(nullptr, WM_NULL, 0, 0);
        return true;
    }
    const HWND window = WindowOf(id);
    if (!window)
        return false;
    if (event.type == Expose) {
        const XExposeEvent& e = event.xexpose;
        const RECT lost = CoveringRect({e.x, e.y, e.x + e.width, e.y + e.height}, scale_);
        events_.push_back({DisplayEvent::Kind::Exposed, {}, window, lost});
        return true;
    }
    if (event.type == VisibilityNotify) {
        // Another window came over a topmost one: the topmost ones go back
        // on top. (Among themselves nothing changes, so raising them again
        // makes no new notification.) Menus, tooltips and other overlays,
        // such as the panels of a second Ostrevia, stay above: raising over
        // them would start a raising match that never ends.
        const bool topmost = std::any_of(stack_.begin(), stack_.end(), [window](const StackedWindow& entry) {
            return entry.window == window && entry.topmost;
        });
        if (event.xvisibility.state != VisibilityUnobscured && topmost && CoveredByNormalWindow(id))
            Restack(true);
        return false;
    }
    return HandleStylus(event);
}

bool DisplayX11::HandleStylus(const XEvent& event)
{
    if ((event.type != ButtonPress && event.type != ButtonRelease) || event.xbutton.button != Button1)
        return false;
    const XButtonEvent& button = event.xbutton;
    const bool down = event.type == ButtonPress;
    // The owner of an open message box is disabled, as on Windows. A release
    // still comes through: it may end a press made before the box opened.
    if (down && std::find(ownersOfDialogs_.begin(), ownersOfDialogs_.end(), WindowOf(button.window)) !=
                    ownersOfDialogs_.end())
        return false;
    const auto kind = down ? DisplayEvent::Kind::StylusDown : DisplayEvent::Kind::StylusUp;
    events_.push_back({kind, area_.ToProgram({button.x_root, button.y_root})});
    return true;
}

// ---- Message boxes

int DisplayX11::MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT style)
{
    MessageDialogX11 dialog(*connection_, area_, text, caption, style);
    dialogs_.push_back(&dialog);
    if (owner)
        ownersOfDialogs_.push_back(owner);
    RunModalLoop([&dialog] { return dialog.Closed(); });
    std::erase(dialogs_, &dialog);
    if (owner)
        ownersOfDialogs_.erase(std::find(ownersOfDialogs_.begin(), ownersOfDialogs_.end(), owner));
    return IDOK;
}

// ---- Snapshots

bool DisplayX11::WriteSnapshot(const char* pngPath) const
{
    ::Display* server = connection_->Server();
    XSync(server, False);
    const int width = connection_->Width();
    const int height = connection_->Height();
    XImage* image = XGetImage(server, connection_->Root(), 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = connection_->FromScreen(XGetPixel(image, x, y));
    }
    XDestroyImage(image);
    const Surface screen{width, height, reinterpret_cast<uint8_t*>(pixels.data()), static_cast<ptrdiff_t>(width) * 4};
    return WritePng(pngPath, screen);
}

}  // namespace host
