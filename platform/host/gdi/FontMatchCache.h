// The font matches of earlier runs: which file and face index fontconfig
// chose for a face name, kept in one small file so that a start whose
// fonts did not change needs no fontconfig configuration at all.
//
// A cache is only as good as the state it was made in. With every match it
// keeps the witnesses: the files and folders whose change can change an
// answer (fontconfig's configuration files and folders, the font folders,
// the library, the chosen font files), each with its modification time,
// size and inode, or as absent. A cache whose witnesses all stand as
// recorded, written by this program version for the same environment, is
// used; any other (missing, truncated, corrupt, another version, a witness
// changed or gone) is as if there were none, and is written again.
#pragma once

#include <compare>
#include <map>
#include <string>
#include <vector>

namespace host::gdi {

// A face as the program asks for it.
struct FaceRequest {
    std::string family;
    bool bold = false;
    bool italic = false;
    auto operator<=>(const FaceRequest&) const = default;
};

// A font file that fontconfig chose, and the styles it has of its own.
struct FaceFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

class FontMatchCache {
public:
    FontMatchCache() = default;
    // The cache kept in `file`, for the environment whose fingerprint is
    // `environment`; empty when the file cannot be used.
    static FontMatchCache Load(const std::string& file, const std::string& environment);

    // Null when the face was not matched before.
    const FaceFile* Find(const FaceRequest& request) const;
    // A match that fontconfig made, under a configuration whose witnesses
    // are `witnesses` (stated now, each once however often it is named).
    // Names and paths that the file cannot hold are not kept.
    void Add(const FaceRequest& request, const FaceFile& file, const std::vector<std::string>& witnesses);
    // Drops every match: one of them proved wrong.
    void Clear();

    size_t Size() const { return matches_.size(); }
    // Whether something was added or cleared since the cache was loaded.
    bool Changed() const { return changed_; }

    // Writes the cache to `file` through a temporary file in its folder
    // (made when missing) and a rename, so that no reader ever sees half a
    // cache. False when it cannot be written; the old file then stays.
    bool Save(const std::string& file, const std::string& environment);

private:
    std::map<FaceRequest, FaceFile> matches_;
    std::map<std::string, std::string> witnesses_;  // path -> its state when the matches were made
    bool changed_ = false;
};

// How a witness stands now: "MTIME-NS:SIZE:INODE", or "-" when absent.
std::string WitnessState(const std::string& path);

}  // namespace host::gdi
