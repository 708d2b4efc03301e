// Messages: the posted queue, retrieval in priority order, sending and
// dispatching, and the quit request.
//
// GetMessageW takes, in this order: posted messages (first in, first out);
// stylus input; WM_PAINT for a window with something to paint; WM_TIMER for
// a due timer; WM_QUIT once quitting was asked for. With none of them it
// waits on the display until input arrives or the next timer is due.
#include <deque>

#include "platform/host/display/Display.h"
#include "platform/host/kernel/debug.h"
#include "platform/host/user/MessageQueue.h"
#include "platform/host/user/Window.h"

namespace host::user {
namespace {

struct Queue {
    std::deque<MSG> posted;
    bool quit = false;
    int exitCode = 0;
};

Queue& TheQueue()
{
    static Queue queue;
    return queue;
}

bool TakePosted(const MessageFilter& filter, bool remove, MSG& msg)
{
    auto& posted = TheQueue().posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (filter.Accepts(it->hwnd, it->message)) {
            msg = *it;
            if (remove)
                posted.erase(it);
            return true;
        }
    }
    return false;
}

bool TakeQuit(bool remove, MSG& msg)
{
    Queue& queue = TheQueue();
    if (!queue.quit)
        return false;
    msg = {nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0, GetTickCount(), LastStylusPoint()};
    if (remove)
        queue.quit = false;
    return true;
}

// The next message that is pending now, without waiting.
bool TakeNext(const MessageFilter& filter, bool remove, MSG& msg)
{
    if (TakePosted(filter, remove, msg))
        return true;
    // Taking the display's events may post messages (WM_DISPLAYCHANGE):
    // they come next, before paints and timers.
    bool taken = TakeInput(filter, remove, msg) || TakePosted(filter, remove, msg) || TakePaint(filter, msg) ||
                 TakeTimer(filter, remove, TheDisplay().Now(), msg);
    if (taken) {
        msg.time = GetTickCount();
        msg.pt = LastStylusPoint();
        return true;
    }
    return TakeQuit(remove, msg);
}

}  // namespace

Retrieval Retrieve(MSG& msg, const MessageFilter& filter, bool remove, std::optional<uint64_t> until)
{
    // Looking for a message ends whatever load said its findings.
    host::EndDebugOutputLoad();
    Display& display = TheDisplay();
    for (;;) {
        TellStackIfChanged();
        if (TakeNext(filter, remove, msg)) {
            if (msg.message != WM_QUIT)
                return Retrieval::Message;
            if (remove)
                display.RunEnding();
            return Retrieval::Quit;
        }
        if (until && display.Now() >= *until)
            return Retrieval::TimedOut;
        std::optional<uint64_t> deadline = NextTimerDue(filter);
        if (until && (!deadline || *until < *deadline))
            deadline = until;
        display.Wait(deadline);
    }
}

bool RunUntil(uint64_t until, int* exitCode)
{
    MSG msg;
    for (;;) {
        switch (Retrieve(msg, {}, true, until)) {
        case Retrieval::Message:
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            break;
        case Retrieval::Quit:
            if (exitCode)
                *exitCode = static_cast<int>(msg.wParam);
            return true;
        case Retrieval::TimedOut:
            return false;
        }
    }
}

void RequestQuit(int exitCode)
{
    // The end of a run does not overwrite the program's own exit code.
    if (!TheQueue().quit)
        PostQuitMessage(exitCode);
}

void ForgetWindowMessages(HWND window)
{
    std::erase_if(TheQueue().posted, [window](const MSG& msg) { return msg.hwnd == window; });
}

void ResetMessages()
{
    TheQueue() = {};
}

}  // namespace host::user

using namespace host::user;

BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax)
{
    if (!msg)
        return -1;
    return Retrieve(*msg, {window, filterMin, filterMax}, true, std::nullopt) == Retrieval::Message;
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove)
{
    if (!msg)
        return FALSE;
    const uint64_t now = host::TheDisplay().Now();
    return Retrieve(*msg, {window, filterMin, filterMax}, (remove & PM_REMOVE) != 0, now) != Retrieval::TimedOut;
}

BOOL TranslateMessage(const MSG*)
{
    // There is no keyboard, so there are no characters to make.
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    return msg->hwnd ? SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !IsWindow(window))
        return FALSE;
    TheQueue().posted.push_back({window, message, wParam, lParam, GetTickCount(), LastStylusPoint()});
    return TRUE;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* target = FindWindow(window);
    if (!target)
        return 0;
    return target->windowClass->procedure(window, message, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    TheQueue().quit = true;
    TheQueue().exitCode = exitCode;
}
