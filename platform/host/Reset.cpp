#include "platform/host/Reset.h"

#include <algorithm>
#include <vector>

namespace host {
namespace {

std::vector<ResetHook>& Hooks()
{
    static std::vector<ResetHook> hooks;
    return hooks;
}

}  // namespace

void AddResetHook(ResetHook hook)
{
    if (std::find(Hooks().begin(), Hooks().end(), hook) == Hooks().end())
        Hooks().push_back(hook);
}

void RunResetHooks()
{
    // A hook may register another one while it runs.
    for (size_t i = 0; i < Hooks().size(); ++i)
        Hooks()[i]();
}

}  // namespace host
