#include "config/CommandParts.h"

#include <algorithm>

#include "config/Diagnostics.h"
#include "config/Paths.h"
#include "config/TextParsing.h"

namespace {

// "http://...", "mailto:...": a scheme of two letters or more before a colon.
bool LooksLikeUrl(const WCHAR* text)
{
    UINT letters = 0;
    while ((text[letters] >= TEXT('a') && text[letters] <= TEXT('z')) ||
           (text[letters] >= TEXT('A') && text[letters] <= TEXT('Z')))
        ++letters;
    return letters >= 2 && text[letters] == TEXT(':');
}

// True when the shell has a way to open `program`.
bool CanStart(const WCHAR* program)
{
    if (LooksLikeUrl(program))
        return true;
    WCHAR found[kMaxPath] = {};
    return reinterpret_cast<INT_PTR>(FindExecutableW(program, nullptr, found)) > 32;
}

void ReportNotStartable(UINT line, const WCHAR* program, const CommandConsequences& consequences)
{
    ReportWarningAtLine(line, {TEXT("\""), program, TEXT("\" cannot be found or started: "),
                               consequences.notStartable});
}

}  // namespace

bool SplitCommand(const WCHAR* text, CommandParts& parts)
{
    if (text[0] != TEXT('"')) {
        parts.program = text;
        parts.programLength = TextLength(text);
        parts.parameters = text + parts.programLength;
        return true;
    }
    const WCHAR* closingQuote = FindChar(text + 1, TEXT('"'), TextLength(text + 1));
    if (!closingQuote)
        return false;
    parts.program = text + 1;
    parts.programLength = static_cast<UINT>(closingQuote - parts.program);
    parts.parameters = closingQuote + 1;
    while (*parts.parameters == TEXT(' '))
        ++parts.parameters;
    return true;
}

void ReportCommandProblems(UINT line, const WCHAR* text, const CommandConsequences& consequences)
{
    CommandParts parts;
    if (!SplitCommand(text, parts)) {
        ReportWarningAtLine(line, {TEXT("the program's closing quote is missing: "), consequences.quoteMissing});
        return;
    }
    WCHAR program[kMaxPath];
    CopyText(parts.program, program, std::min<UINT>(parts.programLength + 1, kMaxPath));
    if (text[0] == TEXT('"')) {
        if (!CanStart(program))
            ReportNotStartable(line, program, consequences);
        return;
    }
    if (CanStart(text))
        return;
    // The whole unquoted text is the program, blanks and all.
    if (const WCHAR* blank = FindChar(text, TEXT(' '), TextLength(text))) {
        CopyText(text, program, std::min<UINT>(static_cast<UINT>(blank - text) + 1, kMaxPath));
        if (CanStart(program)) {
            ReportWarningAtLine(line, {TEXT("the whole text \""), text, TEXT("\" is taken as the program's name, so "),
                                       consequences.wholeText,
                                       TEXT("; put the program in quotes to give it arguments: Command = \""),
                                       program, TEXT("\""), blank});
            return;
        }
    }
    ReportNotStartable(line, text, consequences);
}
