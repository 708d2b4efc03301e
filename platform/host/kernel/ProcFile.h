// A small file of the kernel's (/proc, /sys) read again and again: the file
// stays open and each reading is one pread from its start into a buffer that
// is kept, so a refresh neither opens a file nor allocates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class ProcFile {
public:
    // Far more than any table of the kernel's that is read (/proc/net/dev of
    // thousands of interfaces); a file growing without end stops here.
    static constexpr size_t kLargestText = 1 << 20;

    explicit ProcFile(std::string path) : path_(std::move(path)) {}
    ~ProcFile();
    ProcFile(const ProcFile&) = delete;
    ProcFile& operator=(const ProcFile&) = delete;

    // The file's whole text as it is now, valid until the next Read; empty
    // when it cannot be read or holds more than kLargestText bytes. A file
    // that could not be opened is tried again at the next reading. A named
    // pipe or a device is opened without waiting and read only as far as it
    // has bytes.
    std::string_view Read();

private:
    std::string path_;
    int fd_ = -1;
    std::vector<char> buffer_ = std::vector<char>(4096);
};

// The number after "Name:" on the line that starts with `name` in a table
// of "Name:   1234 kB" lines (/proc/meminfo, /proc/self/status), in bytes;
// 0 when the line is missing.
unsigned long long KilobyteEntry(std::string_view table, std::string_view name);

// The number at the front of `text` after spaces and tabs, taken off it;
// false when no digit comes or the number does not fit.
bool TakeNumber(std::string_view& text, std::uint64_t& number);

}  // namespace host
