#include "app/AnimationKind.h"

#include "config/TextParsing.h"

namespace {

constexpr struct {
    const WCHAR* name;
    AnimationKind kind;
} kNames[] = {
    {TEXT("FlyRight"), FlyRight},
    {TEXT("FlyDown"), FlyDown},
    {TEXT("FlyLeft"), FlyLeft},
    {TEXT("FlyUp"), FlyUp},
    {TEXT("FlyDiagRightDown"), FlyDiagRightDown},
    {TEXT("FlyDiagRightUp"), FlyDiagRightUp},
    {TEXT("FlyDiagLeftDown"), FlyDiagLeftDown},
    {TEXT("FlyDiagLeftUp"), FlyDiagLeftUp},
    {TEXT("RollDown"), RollDown},
    {TEXT("NoAnimation"), NoAnimation},
};

}  // namespace

bool ParseAnimationName(const WCHAR* text, AnimationKind& kind)
{
    for (const auto& entry : kNames) {
        if (IsKey(text, entry.name)) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

const WCHAR* AnimationNameList()
{
    static WCHAR list[200];
    if (list[0] == 0) {
        UINT length = 0;
        for (const auto& entry : kNames) {
            if (length > 0)
                length += CopyText(TEXT(", "), list + length, 200 - length);
            length += CopyText(entry.name, list + length, 200 - length);
        }
    }
    return list;
}
