// What the configuration files said at their last load, so that saving a
// file again and again while it is being edited does not bring up the same
// message boxes each time.
//
// A load is the time a LoadFindings lives (the outermost one, when they
// nest). Every message box that a file's reading gives is a finding of that
// file; the channel gets each one either way. A load that shows its boxes
// (start-up, a panel handed over to) shows them as they come. A reload holds
// them back, and at its end shows one summary box for each file whose
// findings differ from those of its last load:
//
//   N findings in FILE, first at line L: CAPTION TEXT — ostrevia --check FILE lists them all
//
// Findings are compared by their texts, not their lines, so a mistake that
// only moved down with a line inserted above it is not new.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win32.h"

class LoadFindings {
public:
    enum class Boxes { Shown, Summarised };

    explicit LoadFindings(Boxes boxes);
    ~LoadFindings();
    LoadFindings(const LoadFindings&) = delete;
    LoadFindings& operator=(const LoadFindings&) = delete;

    // The file at `file` is being read in the current load, if there is one.
    static void NoteFile(const WCHAR* file);
    // A message box about line `line` of `file`; true when the current load
    // holds it back.
    static bool HoldBox(const WCHAR* file, UINT line, const WCHAR* caption, const WCHAR* text);

private:
    using Text = std::basic_string<WCHAR>;

    // Enough to tell one load's findings of a file from another's.
    struct Summary {
        UINT count = 0;
        ULONGLONG hash = 0;
        bool operator==(const Summary&) const = default;
    };
    struct FileFindings {
        Text file;
        Summary summary;
        UINT firstLine = 0;
        Text first;  // caption and text of the first finding
    };

    // The findings of each file at its last load, for as long as the
    // program runs: one small entry per file ever read.
    static std::map<Text, Summary>& LastLoads();

    FileFindings& Of(const WCHAR* file);
    void ShowSummary(const FileFindings& findings) const;

    Boxes boxes_;
    LoadFindings* outer_;
    std::vector<FileFindings> files_;  // in the order they were first read
};
