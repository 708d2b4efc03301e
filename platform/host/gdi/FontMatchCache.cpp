// The font match cache (see FontMatchCache.h).
//
// The file is UTF-8 text, one record a line, fields apart by tabs:
//
//   ostrevia font matches 1 <program version>
//   environment <TAB> <fingerprint of the variables fontconfig reads>
//   witness <TAB> <MTIME-NS:SIZE:INODE, or - for absent> <TAB> <path>
//   match <TAB> <family> <TAB> <bold 0|1> <TAB> <italic 0|1> <TAB> <face index>
//         <TAB> <the file's own bold 0|1> <TAB> <its own italic 0|1> <TAB> <path>
//   end <TAB> <FNV-1a 64 of every byte before this line, 16 hex digits>
//
// The first line and the end line must be there as written, every other
// line must parse, and the file is used whole or not at all.
#include "platform/host/gdi/FontMatchCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app/Version.h"
#include "platform/host/kernel/file.h"

namespace host::gdi {
namespace {

constexpr char kFirstLine[] = "ostrevia font matches 1 " OSTREVIA_VERSION;
constexpr size_t kLargestFile = 1 << 20;
constexpr size_t kMostMatches = 256;

uint64_t Fnv1a(std::string_view bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    return hash;
}

std::string Hex(uint64_t value)
{
    char text[17];
    snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
        fields.push_back(line.substr(0, tab));
    fields.push_back(line);
    return fields;
}

bool Flag(std::string_view field, bool& value)
{
    if (field != "0" && field != "1")
        return false;
    value = field == "1";
    return true;
}

// Text that a field can hold: no tab, no line break.
bool Storable(std::string_view text)
{
    return text.find_first_of("\t\r\n") == std::string_view::npos;
}

bool StorablePath(std::string_view path)
{
    return Storable(path) && path.starts_with('/');
}

bool ParseMatch(const std::vector<std::string_view>& fields, FaceRequest& request, FaceFile& file)
{
    if (fields.size() != 8 || !StorablePath(fields[7]))
        return false;
    request.family = fields[1];
    file.path = fields[7];
    const std::string_view index = fields[4];
    const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), file.index);
    return error == std::errc() && end == index.data() + index.size() && file.index >= 0 &&
           Flag(fields[2], request.bold) && Flag(fields[3], request.italic) && Flag(fields[5], file.bold) &&
           Flag(fields[6], file.italic);
}

}  // namespace

std::string WitnessState(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "-" : "?";
    return std::to_string(static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec) + ":" +
           std::to_string(status.st_size) + ":" + std::to_string(status.st_ino);
}

FontMatchCache FontMatchCache::Load(const std::string& file, const std::string& environment)
{
    std::string text;
    if (!ReadRegularFile(file, text) || text.size() > kLargestFile)
        return {};
    // The end line covers everything before it, so a cut or changed file
    // is never taken for a whole one.
    const size_t endLine = text.rfind("\nend\t");
    if (endLine == std::string::npos || text.substr(endLine + 5) != Hex(Fnv1a(text.substr(0, endLine + 1))) + "\n")
        return {};

    FontMatchCache cache;
    bool first = true, environmentSeen = false;
    std::string_view rest = std::string_view(text).substr(0, endLine + 1);
    for (size_t newline; (newline = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(newline + 1)) {
        const std::string_view line = rest.substr(0, newline);
        if (first) {
            if (line != kFirstLine)
                return {};
            first = false;
            continue;
        }
        const std::vector<std::string_view> fields = Fields(line);
        if (fields[0] == "environment" && fields.size() == 2) {
            if (fields[1] != environment)
                return {};
            environmentSeen = true;
        } else if (fields[0] == "witness" && fields.size() == 3 && !fields[1].empty() && StorablePath(fields[2])) {
            cache.witnesses_.emplace(fields[2], fields[1]);
        } else if (fields[0] == "match") {
            FaceRequest request;
            FaceFile face;
            if (!ParseMatch(fields, request, face))
                return {};
            cache.matches_[request] = face;
        } else {
            return {};
        }
    }
    if (!environmentSeen)
        return {};
    for (const auto& [path, state] : cache.witnesses_) {
        if (WitnessState(path) != state)
            return {};
    }
    // A chosen font file that is no witness would be trusted unseen.
    for (const auto& [request, face] : cache.matches_) {
        if (!cache.witnesses_.contains(face.path))
            return {};
    }
    return cache;
}

const FaceFile* FontMatchCache::Find(const FaceRequest& request) const
{
    const auto found = matches_.find(request);
    return found == matches_.end() ? nullptr : &found->second;
}

void FontMatchCache::Add(const FaceRequest& request, const FaceFile& file, const std::vector<std::string>& witnesses)
{
    if (!Storable(request.family) || !StorablePath(file.path) || matches_.size() >= kMostMatches)
        return;
    for (const std::string& path : witnesses) {
        if (StorablePath(path) && !witnesses_.contains(path))
            witnesses_.emplace(path, WitnessState(path));
    }
    if (!witnesses_.contains(file.path))
        witnesses_.emplace(file.path, WitnessState(file.path));
    matches_[request] = file;
    changed_ = true;
}

void FontMatchCache::Clear()
{
    matches_.clear();
    witnesses_.clear();
    changed_ = true;
}

bool FontMatchCache::Save(const std::string& file, const std::string& environment)
{
    std::string text = std::string(kFirstLine) + "\nenvironment\t" + environment + "\n";
    for (const auto& [path, state] : witnesses_) {
        // A witness that could not be stated could never be checked.
        if (state == "?")
            return false;
        text += "witness\t" + state + "\t" + path + "\n";
    }
    for (const auto& [request, face] : matches_) {
        text += "match\t" + request.family + "\t" + (request.bold ? "1" : "0") + "\t" + (request.italic ? "1" : "0") +
                "\t" + std::to_string(face.index) + "\t" + (face.bold ? "1" : "0") + "\t" + (face.italic ? "1" : "0") +
                "\t" + face.path + "\n";
    }
    text += "end\t" + Hex(Fnv1a(text)) + "\n";

    std::error_code failure;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), failure);
    const std::string temporary = file + "." + std::to_string(getpid()) + ".new";
    const int descriptor = OpenRegularFile(temporary, O_WRONLY | O_CREAT | O_EXCL);
    if (descriptor < 0)
        return false;
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t written = write(descriptor, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        rest.remove_prefix(size_t(written));
    }
    const bool whole = close(descriptor) == 0 && rest.empty();
    if (!whole || rename(temporary.c_str(), file.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    changed_ = false;
    return true;
}

}  // namespace host::gdi
