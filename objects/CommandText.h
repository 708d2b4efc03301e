// The object of a COMMAND section: a Text (every TEXT key) whose text is
// what a program prints, run again every Interval milliseconds. The program
// and its parameters are written as a button's Command (quoted program,
// then parameters) and started directly, never through a shell unless the
// command names one.
//
// A run never blocks the panel: the program runs beside it and the
// program's message loop waits for it (CommandRuns). When a run is due while
// the last one still goes, it is skipped. A run that is still going after
// Timeout is ended and shows what it printed so far followed by "…". A
// program that cannot start, or that ends with a non-zero exit code having
// printed nothing, shows 'Fehler: "<program>"'. The first line of what it
// writes to standard error goes to the diagnostics channel whenever it
// differs from the last run's. Ending the object (the panel closes or is
// reloaded) ends its program.
#pragma once

#include <memory>
#include <string>

#include "objects/CommandRun.h"
#include "objects/Text.h"

class CommandText : public Text {
public:
    static constexpr DWORD kDefaultInterval = 5000;
    static constexpr DWORD kShortestInterval = 250;
    static constexpr DWORD kLongestDefaultTimeout = 10000;
    static constexpr UINT kMostLines = 20;

    // Redraw requests are posted to `panel` (WM_COMMANDOUTPUT).
    explicit CommandText(HWND panel);
    ~CommandText() override;

    // "Command", "Interval", "Lines", "Timeout", "Placeholder", then the Text
    // keys. A missing value, Lines outside 1 to 20 or a Timeout below 1 is
    // reported as "CommandText - Ignoriere Fehler:".
    bool ParseKey(const WCHAR* line, UINT length, bool showErrors) override;
    // The first draw asks for the first run.
    void Draw(DibSurface& surface, int x, int y) override;
    // The Placeholder becomes the text at the first measurement.
    void Measure(HDC dc) override;
    // Asks for a run when Interval has passed; true when a finished run
    // changed the text since the last call.
    bool IsDue() override;
    // The command's problems (as for buttons), no command at all, and an
    // Interval below 250.
    void ReportPitfalls() const override;

    // For CommandRuns: starts the run asked for (false when the program
    // cannot start; the text then shows the error), the run under way, the
    // time it has left, and its end (finished or out of time).
    bool StartRun();
    CommandRun* Run() const { return run_.get(); }
    DWORD TimeLeft(DWORD now) const;
    void EndRun();

protected:
    // Lines rows of the font's height, as wide as the widest line.
    bool TextExtent(HDC dc, SIZE& extent) const override;

private:
    void RequestRun();
    DWORD Timeout() const;
    // Shows `text` and asks the panel to redraw the object.
    void Show(const std::basic_string<WCHAR>& text);
    // Sends the first line of the run's standard error to the diagnostics
    // channel when it differs from the last one.
    void ReportErrorOutput();

    HWND panel_;
    std::unique_ptr<WCHAR[]> command_;
    std::unique_ptr<WCHAR[]> placeholder_;
    std::unique_ptr<WCHAR[]> file_;  // the panel file, for later diagnostics
    UINT commandLine_ = 0;
    UINT intervalLine_ = 0;
    DWORD configuredInterval_ = kDefaultInterval;
    DWORD timeout_ = 0;  // 0: the default
    UINT lines_ = 1;
    bool measured_ = false;
    bool firstRunAsked_ = false;
    bool requested_ = false;  // waiting for a slot or running
    bool fresh_ = false;
    std::unique_ptr<CommandRun> run_;
    DWORD runStart_ = 0;
    std::basic_string<WCHAR> lastError_;
};
