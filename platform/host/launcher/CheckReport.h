// What `ostrevia --check` prints. The diagnostics channel's lines, collected
// while the panels were loaded, become one finding each, in the shape that
// compilers use so that editors can jump to them:
//
//   FILE:LINE: error: <what the program does, how to fix it> [<caption> <text>]
//   FILE:LINE: warning: <what the program does, how to fix it>
//
// An error is a message box the program shows; a warning is a pitfall that
// a run passes over silently. Each finding is printed once: a warning at the
// line of an error says what that error means (a key in the wrong case, a
// key misspelt), and a panel file given as the list is said once, not once
// for each of its lines. The last line says what was checked and counts the
// findings: "checked 1 list, 4 panels: no findings", or "checked 1 list,
// 6 panels: 2 errors, 3 warnings in 4 files", the files being those the
// findings name.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace host {

struct CheckSummary {
    int errors = 0;
    int warnings = 0;
    int files = 0;
};

// One finding of the channel `line` ("FILE(LINE): CAPTION TEXT" or
// "FILE(LINE): warning: TEXT"), as --check prints it.
std::string CheckFinding(const std::string& line, bool& isError, std::string& file);

// Writes the findings of `lines` and the summary line for a list of
// `panels` panels to `out`.
CheckSummary WriteCheckReport(const std::vector<std::string>& lines, int panels, FILE* out);

}  // namespace host
