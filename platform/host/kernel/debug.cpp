// OutputDebugStringW: the diagnostics channel goes to stderr, each line
// after "ostrevia: ", or to a collector (--check); tests read it back.
#include <cstdio>

#include "platform/host/Reset.h"
#include "platform/host/kernel/debug.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

struct Channel {
    std::vector<std::string>* collector = nullptr;
    std::vector<std::string> recorded;
};

Channel& TheChannel()
{
    static Channel channel;
    return channel;
}

void ForgetChannel()
{
    TheChannel() = {};
}

}  // namespace

void CollectDebugOutput(std::vector<std::string>* lines)
{
    TheChannel().collector = lines;
}

namespace testing {

const std::vector<std::string>& DebugOutput()
{
    return TheChannel().recorded;
}

void ClearDebugOutput()
{
    TheChannel().recorded.clear();
}

}  // namespace testing
}  // namespace host

void OutputDebugStringW(LPCWSTR text)
{
    if (!text)
        return;
    host::AddResetHook(&host::ForgetChannel);
    host::Channel& channel = host::TheChannel();
    const std::string all = host::ToUtf8(text);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = all.size();
        if (end > start) {
            const std::string line = all.substr(start, end - start);
            channel.recorded.push_back(line);
            if (channel.collector) {
                channel.collector->push_back(line);
            } else {
                fprintf(stderr, "ostrevia: %s\n", line.c_str());
                fflush(stderr);
            }
        }
        start = end + 1;
    }
}
