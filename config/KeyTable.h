// Table-driven key parsing: a parser lists its keys in the order in which
// they are tried, each with the shortest value it accepts and what it does
// with the value; the first key that the line begins with decides.
#pragma once

#include <cstddef>

#include "config/Diagnostics.h"
#include "config/TextParsing.h"

enum class KeyResult {
    Unknown,   // no key of the table matches the line
    Rejected,  // a key matches but its value is missing, too short or bad
    Taken,     // the key's value was applied
};

template <class Owner>
struct KeyRule {
    const WCHAR* key;
    // The shortest value accepted: 6 for colours, 1 for everything else, 0
    // for a key whose value may be missing (the line may be the key alone;
    // `apply` then receives the value when there is one, else null).
    UINT minimumValue;
    // Applies the value; false rejects it.
    bool (*apply)(Owner& owner, const WCHAR* value);
};

template <class Owner, size_t N>
KeyResult ApplyKeyTable(Owner& owner, const KeyRule<Owner> (&rules)[N], const WCHAR* line, UINT length)
{
    for (const KeyRule<Owner>& rule : rules) {
        if (!IsKey(line, rule.key))
            continue;
        const WCHAR* value = FindValue(line, length, rule.minimumValue > 0 ? rule.minimumValue : 1);
        if (!value && rule.minimumValue > 0)
            return KeyResult::Rejected;
        return rule.apply(owner, value) ? KeyResult::Taken : KeyResult::Rejected;
    }
    // For the diagnostics: a key written in other letter case, or misspelt
    // (by fewer characters than a short key has).
    if (DiagnosticPlace* place = DiagnosticPlace::Current()) {
        for (const KeyRule<Owner>& rule : rules) {
            if (IsKeyIgnoringCase(line, rule.key))
                place->NoteKeyIgnoringCase(rule.key);
            const UINT distance = KeyDistance(line, rule.key);
            if (distance > 0 && distance <= 2 && distance < TextLength(rule.key))
                place->NoteCloseKey(rule.key, distance);
        }
    }
    return KeyResult::Unknown;
}
