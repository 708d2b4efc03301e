#include "platform/host/kernel/ProcFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/kernel/file.h"

namespace host {

ProcFile::~ProcFile()
{
    if (fd_ >= 0)
        close(fd_);
}

std::string_view ProcFile::Read()
{
    if (fd_ < 0)
        fd_ = OpenRegularFile(path_, O_RDONLY);
    if (fd_ < 0)
        return {};
    for (;;) {
        const ssize_t got = pread(fd_, buffer_.data(), buffer_.size(), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        // A full buffer may have cut the text: read it again into a larger one.
        if (static_cast<size_t>(got) < buffer_.size())
            return std::string_view(buffer_.data(), static_cast<size_t>(got));
        if (buffer_.size() >= kLargestText)
            return {};
        buffer_.resize(buffer_.size() * 2);
    }
}

unsigned long long KilobyteEntry(std::string_view table, std::string_view name)
{
    for (size_t line = 0; line < table.size();) {
        size_t end = table.find('\n', line);
        if (end == std::string_view::npos)
            end = table.size();
        const std::string_view text = table.substr(line, end - line);
        if (text.size() > name.size() && text.substr(0, name.size()) == name && text[name.size()] == ':') {
            size_t i = name.size() + 1;
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            unsigned long long kilobytes = 0;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
                if (kilobytes > (~0ull - 9) / 10)
                    return ~0ull;
                kilobytes = kilobytes * 10 + static_cast<unsigned>(text[i] - '0');
            }
            return kilobytes > ~0ull / 1024 ? ~0ull : kilobytes * 1024;
        }
        line = end + 1;
    }
    return 0;
}

bool TakeNumber(std::string_view& text, std::uint64_t& number)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    const size_t first = at;
    number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        if (__builtin_mul_overflow(number, std::uint64_t{10}, &number) ||
            __builtin_add_overflow(number, static_cast<std::uint64_t>(text[at] - '0'), &number))
            return false;
    }
    text.remove_prefix(at);
    return at > first;
}

}  // namespace host
