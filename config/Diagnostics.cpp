#include "config/Diagnostics.h"

#include "config/LoadFindings.h"
#include "config/TextParsing.h"

namespace {

DiagnosticPlace* innermost = nullptr;

// Room for a path, a caption and a text of several configuration lines.
constexpr UINT kMessageCapacity = 2048;

class MessageText {
public:
    void Append(const WCHAR* part)
    {
        for (; part && *part && length_ + 1 < kMessageCapacity; ++part)
            text_[length_++] = (*part == TEXT('\r') || *part == TEXT('\n')) ? TEXT(' ') : *part;
        text_[length_] = 0;
    }

    void AppendNumber(UINT number)
    {
        WCHAR digits[12];
        UINT count = 0;
        do {
            digits[count++] = static_cast<WCHAR>(TEXT('0') + number % 10);
            number /= 10;
        } while (number != 0);
        WCHAR reversed[12];
        for (UINT i = 0; i < count; ++i)
            reversed[i] = digits[count - 1 - i];
        reversed[count] = 0;
        Append(reversed);
    }

    void EndLine()
    {
        if (length_ + 1 < kMessageCapacity)
            text_[length_++] = TEXT('\n');
        text_[length_] = 0;
    }

    const WCHAR* Text() const { return text_; }

private:
    WCHAR text_[kMessageCapacity] = {};
    UINT length_ = 0;
};

}  // namespace

DiagnosticPlace::DiagnosticPlace(const WCHAR* file) : file_(file), outer_(innermost)
{
    innermost = this;
    LoadFindings::NoteFile(file);
}

DiagnosticPlace::~DiagnosticPlace()
{
    innermost = outer_;
}

void DiagnosticPlace::SetLine(UINT line)
{
    line_ = line;
    keyIgnoringCase_ = nullptr;
    closeKey_ = nullptr;
}

void DiagnosticPlace::NoteKeyIgnoringCase(const WCHAR* key)
{
    if (!keyIgnoringCase_ || TextLength(key) > TextLength(keyIgnoringCase_))
        keyIgnoringCase_ = key;
}

void DiagnosticPlace::NoteCloseKey(const WCHAR* key, UINT distance)
{
    if (!closeKey_ || distance < closeKeyDistance_) {
        closeKey_ = key;
        closeKeyDistance_ = distance;
    }
}

DiagnosticPlace* DiagnosticPlace::Current()
{
    return innermost;
}

UINT CurrentDiagnosticLine()
{
    return innermost ? innermost->Line() : 0;
}

namespace {

// The place a message at `line` (0: the line the place stands at) is about,
// and its line there: the innermost place, or the nearest one around it that
// has reached a line. Null outside reading.
const DiagnosticPlace* MessagePlace(UINT& line)
{
    const DiagnosticPlace* place = innermost;
    if (place && line == 0) {
        while (place->Line() == 0 && place->Outer())
            place = place->Outer();
        line = place->Line();
    }
    return place;
}

// At `line` (0: none) of `place` (null: none); `caption` null: none.
void WriteDiagnosticAt(const DiagnosticPlace* place, UINT line, const WCHAR* caption,
                       std::initializer_list<const WCHAR*> parts)
{
    MessageText message;
    if (place) {
        message.Append(place->File());
        if (line != 0) {
            message.Append(TEXT("("));
            message.AppendNumber(line);
            message.Append(TEXT(")"));
        }
        message.Append(TEXT(": "));
    }
    if (caption) {
        message.Append(caption);
        message.Append(TEXT(" "));
    }
    for (const WCHAR* part : parts)
        message.Append(part);
    message.EndLine();
    OutputDebugStringW(message.Text());
}

// `line` 0: the line the place stands at; `caption` null: none.
void WriteDiagnostic(const WCHAR* caption, std::initializer_list<const WCHAR*> parts, UINT line)
{
    const DiagnosticPlace* place = MessagePlace(line);
    WriteDiagnosticAt(place, line, caption, parts);
}

}  // namespace

int ConfigMessageBox(HWND owner, const WCHAR* text, const WCHAR* caption, UINT style)
{
    UINT line = 0;
    const DiagnosticPlace* place = MessagePlace(line);
    WriteDiagnosticAt(place, line, caption, {text});
    if (place && LoadFindings::HoldBox(place->File(), line, caption, text))
        return IDOK;
    return MessageBoxW(owner, text, caption, style);
}

void ReportWarning(std::initializer_list<const WCHAR*> parts)
{
    ReportWarningAtLine(0, parts);
}

void ReportWarningAtLine(UINT line, std::initializer_list<const WCHAR*> parts)
{
    WriteDiagnostic(TEXT("warning:"), parts, line);
}

void ReportErrorAtLine(UINT line, std::initializer_list<const WCHAR*> parts)
{
    WriteDiagnostic(nullptr, parts, line);
}
