#include "objects/CommandText.h"

#include <algorithm>
#include <utility>

#include "app/PanelMessages.h"
#include "config/CommandParts.h"
#include "config/KeyTable.h"
#include "objects/CommandRuns.h"
#include "objects/ErrorText.h"

namespace {

constexpr WCHAR kCutOff = 0x2026;  // "…" after the output of a run out of time

// The program's name, for the error text: the whole command when its quote
// is never closed.
std::basic_string<WCHAR> ProgramName(const WCHAR* command)
{
    CommandParts parts;
    if (!SplitCommand(command, parts))
        return command;
    return std::basic_string<WCHAR>(parts.program, parts.programLength);
}

std::basic_string<WCHAR> ProgramError(const WCHAR* command)
{
    const std::basic_string<WCHAR> name = ProgramName(command);
    return ErrorText(name.c_str(), static_cast<UINT>(name.size()));
}

}  // namespace

CommandText::CommandText(HWND panel) : panel_(panel)
{
    SetInterval(kDefaultInterval);
    SetText(TEXT(""), 0);
    // What a program prints is shown as it is: "&" is no prefix.
    SetFormatFlags(FormatFlags() | DT_NOPREFIX);
}

CommandText::~CommandText()
{
    CommandRuns::Forget(*this);
}

bool CommandText::ParseKey(const WCHAR* line, UINT length, bool showErrors)
{
    static constexpr KeyRule<CommandText> kKeys[] = {
        {TEXT("Command"), 1,
         [](CommandText& c, const WCHAR* v) {
             c.command_ = CopyValue(v);
             c.commandLine_ = CurrentDiagnosticLine();
             const DiagnosticPlace* place = DiagnosticPlace::Current();
             c.file_ = place && place->File() ? CopyValue(place->File()) : nullptr;
             return true;
         }},
        {TEXT("Interval"), 1,
         [](CommandText& c, const WCHAR* v) {
             const int interval = ParseInt(v);
             c.configuredInterval_ = interval > 0 ? static_cast<DWORD>(interval) : 0;
             c.intervalLine_ = CurrentDiagnosticLine();
             c.SetInterval(std::max(c.configuredInterval_, kShortestInterval));
             return true;
         }},
        {TEXT("Lines"), 1,
         [](CommandText& c, const WCHAR* v) {
             const int lines = ParseInt(v);
             if (lines < 1 || lines > static_cast<int>(kMostLines))
                 return false;
             c.lines_ = static_cast<UINT>(lines);
             // Several lines stand at the top of the rectangle, one under the other.
             const UINT oneLine = DT_SINGLELINE | DT_VCENTER;
             c.SetFormatFlags(c.lines_ > 1 ? c.FormatFlags() & ~oneLine : c.FormatFlags() | oneLine);
             return true;
         }},
        {TEXT("Timeout"), 1,
         [](CommandText& c, const WCHAR* v) {
             const int timeout = ParseInt(v);
             c.timeout_ = timeout > 0 ? static_cast<DWORD>(timeout) : 0;
             return timeout > 0;
         }},
        {TEXT("Placeholder"), 1, [](CommandText& c, const WCHAR* v) { return c.placeholder_ = CopyValue(v), true; }},
    };
    switch (ApplyKeyTable(*this, kKeys, line, length)) {
    case KeyResult::Taken:
        return true;
    case KeyResult::Rejected:
        return ReportIgnoredLine(line, TEXT("CommandText - Ignoriere Fehler:"), showErrors);
    case KeyResult::Unknown:
        break;
    }
    return Text::ParseKey(line, length, showErrors);
}

void CommandText::Measure(HDC dc)
{
    if (!std::exchange(measured_, true) && placeholder_)
        SetText(placeholder_.get(), TextLength(placeholder_.get()));
    Text::Measure(dc);
}

bool CommandText::TextExtent(HDC dc, SIZE& extent) const
{
    if (lines_ == 1)
        return Text::TextExtent(dc, extent);
    SIZE row = {};
    if (!GetTextExtentExPointW(dc, TEXT("I"), 1, 0, nullptr, nullptr, &row))
        return false;
    extent = {0, row.cy * static_cast<LONG>(lines_)};
    const WCHAR* text = ShownText();
    const WCHAR* end = text + ShownLength();
    for (const WCHAR* start = text; start <= end;) {
        const WCHAR* stop = std::find(start, end, TEXT('\n'));
        SIZE width = {};
        if (GetTextExtentExPointW(dc, start, static_cast<int>(stop - start), 0, nullptr, nullptr, &width))
            extent.cx = std::max(extent.cx, width.cx);
        start = stop + 1;
    }
    return true;
}

void CommandText::Draw(DibSurface& surface, int x, int y)
{
    if (!std::exchange(firstRunAsked_, true))
        RequestRun();
    Text::Draw(surface, x, y);
}

bool CommandText::IsDue()
{
    if (DesktopObject::IsDue())
        RequestRun();
    return std::exchange(fresh_, false);
}

void CommandText::RequestRun()
{
    // One run at a time: a run due while the last one goes is skipped.
    if (!command_ || requested_)
        return;
    requested_ = true;
    CommandRuns::Request(*this);
}

DWORD CommandText::Timeout() const
{
    return timeout_ != 0 ? timeout_ : std::min(Interval(), kLongestDefaultTimeout);
}

bool CommandText::StartRun()
{
    const WCHAR* command = command_.get();
    CommandParts parts;
    if (SplitCommand(command, parts)) {
        // CreateProcessW's command line: the program quoted, so that its
        // blanks stay part of its name, then the parameters.
        std::basic_string<WCHAR> commandLine(TEXT("\""));
        commandLine.append(parts.program, parts.programLength);
        commandLine += TEXT('"');
        if (*parts.parameters) {
            commandLine += TEXT(' ');
            commandLine += parts.parameters;
        }
        run_ = std::make_unique<CommandRun>();
        runStart_ = GetTickCount();
        if (run_->Start(commandLine.data()))
            return true;
        run_.reset();
    }
    requested_ = false;
    Show(ProgramError(command));
    return false;
}

DWORD CommandText::TimeLeft(DWORD now) const
{
    // Unsigned differences survive the tick counter's wrap.
    const DWORD gone = now - runStart_;
    return gone >= Timeout() ? 0 : Timeout() - gone;
}

void CommandText::EndRun()
{
    const bool outOfTime = !run_->Finished();
    if (outOfTime)
        run_->Stop();
    std::basic_string<WCHAR> text = run_->Output().Lines(lines_);
    if (outOfTime)
        text += kCutOff;
    else if (text.empty() && run_->ExitCode() != 0)
        text = ProgramError(command_.get());
    ReportErrorOutput();
    run_.reset();
    requested_ = false;
    Show(text);
}

void CommandText::Show(const std::basic_string<WCHAR>& text)
{
    SetText(text.c_str(), static_cast<UINT>(text.size()));
    fresh_ = true;
    PostMessageW(panel_, WM_COMMANDOUTPUT, 0, 0);
}

void CommandText::ReportErrorOutput()
{
    std::basic_string<WCHAR> first = run_->Errors().Lines(1);
    if (first == lastError_)
        return;
    lastError_ = std::move(first);
    if (lastError_.empty())
        return;
    DiagnosticPlace place(file_ ? file_.get() : TEXT(""));
    place.SetLine(commandLine_);
    ReportWarning({TEXT("\""), ProgramName(command_.get()).c_str(), TEXT("\" wrote to its standard error: "),
                   lastError_.c_str()});
}

void CommandText::ReportPitfalls() const
{
    if (!command_) {
        ReportWarning({TEXT("a COMMAND section without Command runs nothing and shows only its Placeholder")});
        return;
    }
    static constexpr CommandConsequences kConsequences = {
        TEXT("the panel shows 'Fehler: \"...\"' instead of the program's output"),
        TEXT("the panel shows 'Fehler: \"...\"' instead of its output"),
        TEXT("it cannot start"),
    };
    ReportCommandProblems(commandLine_, command_.get(), kConsequences);
    if (intervalLine_ != 0 && configuredInterval_ < kShortestInterval)
        ReportWarningAtLine(intervalLine_, {TEXT("an Interval below 250 ms is taken as 250: the program runs at most "
                                                 "four times a second")});
}
