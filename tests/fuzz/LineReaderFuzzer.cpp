// Text files' bytes: read line by line, long lines in pieces, and every line
// given to the key and value parsers and the keyword matchers.
#include "app/AnimationKind.h"
#include "app/SectionKeywords.h"
#include "config/LineReader.h"
#include "config/TextParsing.h"
#include "tests/fuzz/FuzzRun.h"

namespace {

void ParseLine(const WCHAR* line, UINT length)
{
    FindSectionKeyword(line);
    for (UINT minimum = 0; minimum < 3; ++minimum) {
        if (const WCHAR* value = FindValue(line, length, minimum)) {
            ParseInt(value);
            ParseColor(value);
            ParseFlag(value);
            AnimationKind kind;
            ParseAnimationName(value, kind);
        }
    }
    SkipBlanks(line, length);
    FindChar(line, TEXT('='), length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzRun run;
    const testfiles::WString path = fuzz::WriteInput("fuzz.txt", data, size);
    // The capacities of the panel list and the panel file, and a small odd
    // one that cuts lines into pieces.
    static constexpr UINT kCapacities[] = {256, 1024, 7};
    for (UINT capacity : kCapacities) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 0;
        WCHAR buffer[1024];
        while (HasMoreLines(file)) {
            const UINT length = ReadLine(file, buffer, capacity);
            ParseLine(buffer, length);
        }
        CloseHandle(file);
    }
    return 0;
}
