#include "platform/host/display/WakeSources.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/host/Reset.h"

namespace host {
namespace {

std::vector<WakeSource>& Sources()
{
    static std::vector<WakeSource> sources;
    return sources;
}

void ForgetSources()
{
    Sources().clear();
}

}  // namespace

void AddWakeSource(const WakeSource& source)
{
    AddResetHook(&ForgetSources);
    RemoveWakeSource(source.descriptor);
    Sources().push_back(source);
}

void RemoveWakeSource(int descriptor)
{
    std::erase_if(Sources(), [descriptor](const WakeSource& source) { return source.descriptor == descriptor; });
}

bool HasWakeSources()
{
    return !Sources().empty();
}

bool HasWakeSourcesFromChildren()
{
    return std::any_of(Sources().begin(), Sources().end(), [](const WakeSource& source) { return source.fromChild; });
}

WaitResult WaitForInput(int descriptor, int timeout)
{
    const std::vector<WakeSource> sources = Sources();  // a take may change the list
    std::vector<pollfd> watched;
    for (const WakeSource& source : sources)
        watched.push_back({source.descriptor, POLLIN, 0});
    if (descriptor >= 0)
        watched.push_back({descriptor, POLLIN, 0});
    WaitResult result;
    while (poll(watched.data(), watched.size(), timeout) < 0) {
        if (errno != EINTR)
            return result;
    }
    for (size_t i = 0; i < sources.size(); ++i) {
        if (watched[i].revents != 0) {
            sources[i].take();
            result.woken = true;
        }
    }
    result.descriptorReady = descriptor >= 0 && watched.back().revents != 0;
    return result;
}

}  // namespace host
