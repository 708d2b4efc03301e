// What the host keeps of the message boxes and the diagnostics channel for
// tests (testing.h MessageBoxes, DebugOutput). Tests keep everything from
// ResetHost on; the program, which never resets, keeps only the latest few,
// so a long run does not grow with what it reports. Host-internal.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace host {

bool KeepsAllRecords();

// Appends `entry`, dropping the oldest beyond the latest kRecentRecords
// unless everything is kept.
template <class Entry>
void AddRecord(std::vector<Entry>& records, Entry entry)
{
    constexpr size_t kRecentRecords = 100;
    if (!KeepsAllRecords() && records.size() >= kRecentRecords)
        records.erase(records.begin(), records.end() - (kRecentRecords - 1));
    records.push_back(std::move(entry));
}

}  // namespace host
