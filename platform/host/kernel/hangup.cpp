// The handler only writes a byte into a pipe (all a signal handler may do);
// the pipe is a wake source of the display, whose wait reads it and posts
// the message.
#include "platform/host/kernel/hangup.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/display/WakeSources.h"
#include "platform/win32.h"

namespace host {
namespace {

int pipeEnds[2] = {-1, -1};

void OnHangup(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a request.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void TakeHangups()
{
    char bytes[64];
    bool requested = false;
    while (read(pipeEnds[0], bytes, sizeof(bytes)) > 0)
        requested = true;
    if (requested)
        PostMessageW(nullptr, WM_SETTINGCHANGE, 0, 0);
}

}  // namespace

void CatchHangup()
{
    if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    AddWakeSource({pipeEnds[0], &TakeHangups});
    struct sigaction action {};
    action.sa_handler = &OnHangup;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGHUP, &action, nullptr);
}

}  // namespace host
