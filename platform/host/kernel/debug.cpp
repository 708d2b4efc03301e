// OutputDebugStringW: the diagnostics channel goes to stderr, each line
// after "ostrevia: ", or to a collector (--check); tests read it back
// (kernel/record.h).
//
// On stderr a file says at most kLinesPerLoad lines per load; the rest are
// counted and told in one line when the load is over, which is when the
// program next looks for a message (or ends): a panel file with a million
// broken lines, reloaded again and again, must not flood the terminal.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/host/Reset.h"
#include "platform/host/kernel/debug.h"
#include "platform/host/kernel/record.h"
#include "platform/host/kernel/unicode.h"
#include "platform/host/testing.h"

namespace host {
namespace {

constexpr int kLinesPerLoad = 100;

struct Channel {
    std::vector<std::string>* collector = nullptr;
    std::vector<std::string> recorded;
    // Per file of the load going on: the lines written and those held back.
    struct Count {
        int written = 0;
        long long held = 0;
    };
    std::map<std::string, Count> load;
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

// The file a line names: "FILE(LINE): ..." or "/FILE: ..."; empty when
// it names none (a message from outside reading).
std::string FileOf(const std::string& line)
{
    for (size_t close = line.find("): "); close != std::string::npos; close = line.find("): ", close + 1)) {
        const size_t open = line.rfind('(', close);
        if (open != std::string::npos && open > 0 && open + 1 < close &&
            line.find_first_not_of("0123456789", open + 1) == close)
            return line.substr(0, open);
    }
    const size_t colon = line.find(": ");
    return !line.empty() && line[0] == '/' && colon != std::string::npos ? line.substr(0, colon) : std::string();
}

void WriteLine(const std::string& line)
{
    fprintf(stderr, "ostrevia: %s\n", line.c_str());
    fflush(stderr);
}

void Write(Channel& channel, const std::string& line)
{
    const std::string file = FileOf(line);
    if (file.empty()) {
        WriteLine(line);
        return;
    }
    Channel::Count& count = channel.load[file];
    if (count.written < kLinesPerLoad) {
        ++count.written;
        WriteLine(line);
        return;
    }
    // A load that ends with the program still tells what it held back.
    static const bool toldAtExit = std::atexit(&EndDebugOutputLoad) == 0;
    (void)toldAtExit;
    ++count.held;
}

}  // namespace

void CollectDebugOutput(std::vector<std::string>* lines)
{
    TheChannel().collector = lines;
}

void EndDebugOutputLoad()
{
    Channel& channel = TheChannel();
    if (channel.load.empty())
        return;
    for (const auto& [file, count] : channel.load) {
        if (count.held > 0)
            WriteLine(file + ": " + std::to_string(count.held) + " more findings; ostrevia --check " + file +
                      " lists them all");
    }
    channel.load.clear();
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
            std::string line = all.substr(start, end - start);
            if (channel.collector)
                channel.collector->push_back(line);
            else
                host::Write(channel, line);
            host::AddRecord(channel.recorded, std::move(line));
        }
        start = end + 1;
    }
}
