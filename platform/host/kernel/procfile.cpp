#include "platform/host/kernel/procfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace host {

std::optional<std::string> ReadProcFile(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::string text;
    char piece[4096];
    for (;;) {
        const ssize_t count = read(descriptor, piece, sizeof piece);
        if (count > 0) {
            text.append(piece, static_cast<size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        close(descriptor);
        if (count < 0)
            return std::nullopt;
        return text;
    }
}

}  // namespace host
