// A command text as buttons and COMMAND sections write it: a program in
// double quotes followed by its parameters, or, without the opening quote,
// the whole text as the program's name (blanks and all, no parameters).
// Also the checks that tell a user why such a command would start nothing.
#pragma once

#include "platform/win32.h"

struct CommandParts {
    // The program's name: `programLength` characters from `program`, which
    // points into the text and is not terminated there when quoted.
    const WCHAR* program = nullptr;
    UINT programLength = 0;
    // The parameters, after the closing quote and the blanks (U+0020 only)
    // that follow it; empty for an unquoted text.
    const WCHAR* parameters = nullptr;
};

// False when the text opens a quote and never closes it.
bool SplitCommand(const WCHAR* text, CommandParts& parts);

// What each problem means for the object, ending the finding's sentence.
struct CommandConsequences {
    const WCHAR* quoteMissing;  // after "the program's closing quote is missing: "
    const WCHAR* notStartable;  // after "\"PROGRAM\" cannot be found or started: "
    const WCHAR* wholeText;     // after "the whole text \"TEXT\" is taken as the program's name, so "
};

// Reports to the diagnostics channel, at `line` of the file being read, a
// quote never closed, a program that cannot be found or started, and a
// program path with arguments but without quotes.
void ReportCommandProblems(UINT line, const WCHAR* text, const CommandConsequences& consequences);
