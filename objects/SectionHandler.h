// The owner of a panel file section: it takes the section's key lines.
// GlobalSettings and every shown object derive from it.
#pragma once

#include "platform/win32.h"

class SectionHandler {
public:
    SectionHandler() = default;
    SectionHandler(const SectionHandler&) = delete;
    SectionHandler& operator=(const SectionHandler&) = delete;

    // Takes one key line of the section (`length` characters, terminated).
    // When `showErrors` is set a rejected line is reported in a message box.
    // This base takes every line without looking at it.
    virtual bool ParseKey(const WCHAR* line, UINT length, bool showErrors);
    virtual ~SectionHandler() = default;

    // The folder of the panel file being loaded, with its trailing separator;
    // null outside loading. Not owned.
    const WCHAR* BaseFolder() const { return baseFolder_; }
    void SetBaseFolder(const WCHAR* folder) { baseFolder_ = folder; }

protected:
    // Shows an ignored configuration line: the line as text, `caption` as
    // caption, the warning style. Returns false for the parser to return.
    static bool ReportIgnoredLine(const WCHAR* line, const WCHAR* caption, bool showErrors);

private:
    const WCHAR* baseFolder_ = nullptr;
};
