#include "objects/CommandRuns.h"

#include <algorithm>
#include <deque>

#include "objects/CommandText.h"

namespace {

std::vector<CommandText*>& Running()
{
    static std::vector<CommandText*> running;
    return running;
}

std::deque<CommandText*>& Waiting()
{
    static std::deque<CommandText*> waiting;
    return waiting;
}

}  // namespace

void CommandRuns::Request(CommandText& text)
{
    Waiting().push_back(&text);
    StartWaiting();
}

void CommandRuns::Forget(CommandText& text)
{
    std::erase(Running(), &text);
    std::erase(Waiting(), &text);
}

void CommandRuns::StartWaiting()
{
    while (Running().size() < kMostAtOnce && !Waiting().empty()) {
        CommandText* text = Waiting().front();
        Waiting().pop_front();
        if (text->StartRun())
            Running().push_back(text);
    }
}

void CommandRuns::AppendHandles(std::vector<HANDLE>& handles)
{
    for (const CommandText* text : Running())
        text->Run()->AppendHandles(handles);
}

DWORD CommandRuns::Timeout()
{
    DWORD timeout = INFINITE;
    const DWORD now = GetTickCount();
    for (const CommandText* text : Running())
        timeout = std::min(timeout, text->TimeLeft(now));
    return timeout;
}

void CommandRuns::Update(HANDLE signalled)
{
    const DWORD now = GetTickCount();
    std::vector<CommandText*>& running = Running();
    for (size_t i = 0; i < running.size();) {
        CommandText* text = running[i];
        CommandRun& run = *text->Run();
        if (signalled)
            run.Take(signalled);
        if (run.Finished() || text->TimeLeft(now) == 0) {
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
            text->EndRun();
        } else {
            ++i;
        }
    }
    StartWaiting();
}
