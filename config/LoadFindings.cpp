#include "config/LoadFindings.h"

namespace {

LoadFindings* current = nullptr;

// FNV-1a, over the characters of `text` and a separator.
ULONGLONG Mix(ULONGLONG hash, const WCHAR* text)
{
    constexpr ULONGLONG kPrime = 1099511628211ULL;
    for (; text && *text; ++text)
        hash = (hash ^ static_cast<ULONGLONG>(*text)) * kPrime;
    return (hash ^ 0xFFFFu) * kPrime;
}

constexpr ULONGLONG kHashStart = 14695981039346656037ULL;

}  // namespace

std::map<LoadFindings::Text, LoadFindings::Summary>& LoadFindings::LastLoads()
{
    static std::map<Text, Summary> lastLoads;
    return lastLoads;
}

LoadFindings::LoadFindings(Boxes boxes) : boxes_(boxes), outer_(current)
{
    if (!outer_)
        current = this;
}

LoadFindings::~LoadFindings()
{
    if (outer_)
        return;
    current = nullptr;
    for (const FileFindings& findings : files_) {
        Summary& last = LastLoads()[findings.file];
        const bool changed = last != findings.summary;
        last = findings.summary;
        // The summary's own box may start another load: this one is over.
        if (boxes_ == Boxes::Summarised && changed && findings.summary.count > 0)
            ShowSummary(findings);
    }
}

LoadFindings::FileFindings& LoadFindings::Of(const WCHAR* file)
{
    for (FileFindings& findings : files_) {
        if (findings.file == file)
            return findings;
    }
    files_.push_back({file, {0, kHashStart}, 0, {}});
    return files_.back();
}

void LoadFindings::NoteFile(const WCHAR* file)
{
    if (current && file)
        current->Of(file);
}

bool LoadFindings::HoldBox(const WCHAR* file, UINT line, const WCHAR* caption, const WCHAR* text)
{
    if (!current || !file)
        return false;
    FileFindings& findings = current->Of(file);
    if (findings.summary.count++ == 0) {
        findings.firstLine = line;
        findings.first = Text(caption ? caption : TEXT("")) + TEXT(" ") + Text(text ? text : TEXT(""));
    }
    findings.summary.hash = Mix(Mix(findings.summary.hash, caption), text);
    return current->boxes_ == Boxes::Summarised;
}

void LoadFindings::ShowSummary(const FileFindings& findings) const
{
    WCHAR count[40];
    wsprintfW(count, findings.summary.count == 1 ? TEXT("%u finding in ") : TEXT("%u findings in "),
              findings.summary.count);
    WCHAR line[40] = TEXT(", first: ");
    if (findings.firstLine != 0)
        wsprintfW(line, TEXT(", first at line %u: "), findings.firstLine);
    Text text = Text(count) + findings.file + line + findings.first;
    for (WCHAR& ch : text) {
        if (ch == TEXT('\r') || ch == TEXT('\n'))
            ch = TEXT(' ');
    }
    text += TEXT(" — ostrevia --check ") + findings.file + TEXT(" lists them all");
    MessageBoxW(nullptr, text.c_str(), TEXT("Ostrevia"), MB_SETFOREGROUND | MB_ICONWARNING);
}
