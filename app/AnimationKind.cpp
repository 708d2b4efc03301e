#include "app/AnimationKind.h"

#include "config/TextParsing.h"

bool ParseAnimationName(const WCHAR* text, AnimationKind& kind)
{
    static constexpr struct {
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
    for (const auto& entry : kNames) {
        if (IsKey(text, entry.name)) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}
