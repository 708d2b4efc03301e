// The font match cache: used while its witnesses stand, as if absent when
// anything about it is wrong, written whole or not at all; and the fonts
// drawn from it are those fontconfig would give.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "platform/host/gdi/FontMatchCache.h"
#include "platform/host/gdi/FontMatcher.h"
#include "platform/host/gdi/font.h"
#include "platform/win32.h"
#include "tests/support/TestFiles.h"

using host::gdi::FaceFile;
using host::gdi::FaceRequest;
using host::gdi::FontMatchCache;

namespace {

namespace fs = std::filesystem;

constexpr char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const FaceRequest kRegular{"DejaVu Sans", false, false};
const FaceRequest kBold{"DejaVu Sans", true, false};

std::string Folder(const std::string& name)
{
    const std::string folder = testfiles::TempFolder() + name + "/";
    fs::create_directories(folder);
    return folder;
}

// A saved cache of two matches whose witnesses are a font file, a
// configuration file and an absent font folder, all in `folder`.
std::string SaveSample(const std::string& folder, FontMatchCache& cache)
{
    testfiles::WriteFileAt(folder + "face.ttf", "not read by the cache");
    testfiles::WriteFileAt(folder + "fonts.conf", "<fontconfig/>");
    cache.Add(kRegular, {folder + "face.ttf", 0, false, false}, {folder + "fonts.conf", folder + "fonts"});
    cache.Add(kBold, {folder + "face.ttf", 2, false, false}, {folder + "fonts.conf"});
    const std::string file = folder + "cache/font-matches";
    EXPECT_TRUE(cache.Save(file, "env"));
    return file;
}

bool Empty(const FontMatchCache& cache)
{
    return !cache.Find(kRegular) && !cache.Find(kBold);
}

// The end line's checksum, for a file changed on purpose.
std::string Sealed(const std::string& body)
{
    uint64_t hash = 14695981039346656037ull;
    for (const char byte : body)
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    char end[32];
    snprintf(end, sizeof end, "end\t%016llx\n", static_cast<unsigned long long>(hash));
    return body + end;
}

TEST(FontMatchCache, AnswersWhileItsWitnessesStand)
{
    const std::string folder = Folder("stand");
    FontMatchCache saved;
    const std::string file = SaveSample(folder, saved);
    EXPECT_FALSE(saved.Changed());

    const FontMatchCache loaded = FontMatchCache::Load(file, "env");
    ASSERT_TRUE(loaded.Find(kBold));
    EXPECT_EQ(folder + "face.ttf", loaded.Find(kBold)->path);
    EXPECT_EQ(2, loaded.Find(kBold)->index);
    EXPECT_FALSE(loaded.Find({"DejaVu Sans", false, true}));
    EXPECT_FALSE(loaded.Changed());
    // Nothing but the cache is left in its folder.
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder + "cache"), fs::directory_iterator()));
}

TEST(FontMatchCache, ABrokenFileIsAsIfThereWereNone)
{
    const std::string folder = Folder("broken");
    FontMatchCache saved;
    const std::string file = SaveSample(folder, saved);
    const std::string whole = testfiles::ReadFileAt(file);
    const size_t endLine = whole.rfind("end\t");
    std::string flipped = whole;
    flipped[whole.find("face.ttf")] ^= 1;
    std::string otherVersion = whole.substr(0, endLine);
    otherVersion.replace(0, otherVersion.find('\n'), "ostrevia font matches 0 0.9");
    std::string badIndex = whole.substr(0, endLine);
    badIndex.replace(badIndex.find("\t2\t"), 3, "\t-2\t");
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut before its end line", whole.substr(0, endLine)},
        {"cut within its end line", whole.substr(0, whole.size() - 3)},
        {"cut in the middle", whole.substr(0, whole.size() / 2)},
        {"a byte changed", flipped},
        {"another version", Sealed(otherVersion)},
        {"a negative face index", Sealed(badIndex)},
        {"an unknown record", Sealed(whole.substr(0, endLine) + "glyph\tA\n")},
        {"text after the end line", whole + "match\n"},
    };
    for (const auto& broken : cases) {
        testfiles::WriteFileAt(file, broken.bytes);
        EXPECT_TRUE(Empty(FontMatchCache::Load(file, "env"))) << broken.what;
    }
    fs::remove(file);
    EXPECT_TRUE(Empty(FontMatchCache::Load(file, "env"))) << "missing";
    fs::create_directory(file);
    EXPECT_TRUE(Empty(FontMatchCache::Load(file, "env"))) << "a folder";
}

TEST(FontMatchCache, AChangedWitnessOrEnvironmentMakesItVoid)
{
    const std::string folder = Folder("witnesses");
    FontMatchCache saved;
    const std::string file = SaveSample(folder, saved);
    EXPECT_TRUE(Empty(FontMatchCache::Load(file, "another env")));

    const auto stillHolds = [&] { return !Empty(FontMatchCache::Load(file, "env")); };
    ASSERT_TRUE(stillHolds());
    fs::create_directory(folder + "fonts");  // a font folder that was absent
    EXPECT_FALSE(stillHolds());
    fs::remove(folder + "fonts");
    ASSERT_TRUE(stillHolds());
    testfiles::WriteFileAt(folder + "fonts.conf", "<fontconfig><dir>/x</dir></fontconfig>");
    EXPECT_FALSE(stillHolds());

    FontMatchCache again;
    SaveSample(folder, again);
    ASSERT_TRUE(stillHolds());
    fs::remove(folder + "face.ttf");  // the chosen font file deleted
    EXPECT_FALSE(stillHolds());
}

TEST(FontMatchCache, AFailedWriteLeavesTheOldCacheAndNoPieces)
{
    const std::string folder = Folder("unwritable");
    FontMatchCache saved;
    const std::string file = SaveSample(folder, saved);
    const std::string before = testfiles::ReadFileAt(file);

    // A full disk, as a file size limit that the new cache exceeds.
    FontMatchCache bigger;
    for (int i = 0; i < 50; ++i)
        bigger.Add({"Face " + std::to_string(i), false, false}, {folder + "face.ttf", i, false, false}, {});
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{512, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(bigger.Save(file, "env"));
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_TRUE(bigger.Changed());
    EXPECT_EQ(before, testfiles::ReadFileAt(file));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder + "cache"), fs::directory_iterator()));

    // A folder that cannot be made (a file stands in its way).
    testfiles::WriteFileAt(folder + "file", "");
    EXPECT_FALSE(bigger.Save(folder + "file/cache/font-matches", "env"));
    // Names that a line cannot hold are not kept.
    FontMatchCache odd;
    odd.Add({"Two\nLines", false, false}, {kDejaVu, 0, false, false}, {});
    odd.Add({"Relative", false, false}, {"face.ttf", 0, false, false}, {});
    EXPECT_FALSE(odd.Changed());
}

LONG AscentOf(const char* face)
{
    LOGFONTW logFont{};
    logFont.lfHeight = -20;
    for (int i = 0; face[i]; ++i)
        logFont.lfFaceName[i] = static_cast<WCHAR>(face[i]);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateFontIndirectW(&logFont));
    TEXTMETRICW metrics{};
    EXPECT_TRUE(GetTextMetricsW(dc, &metrics));
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return metrics.tmAscent;
}

bool FontConfigLoaded()
{
    void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (library)
        dlclose(library);
    return library != nullptr;
}

TEST(FontMatchCache, AStartItServesLoadsNoFontConfig)
{
    if (!fs::exists(kDejaVu))
        GTEST_SKIP() << kDejaVu << " is not installed";
    const std::string file = Folder("served") + "font-matches";
    FontMatchCache cache;
    cache.Add({"DejaVu Sans", false, false}, {kDejaVu, 0, false, false}, {});
    ASSERT_TRUE(cache.Save(file, host::gdi::FontConfigEnvironment()));

    host::gdi::UseFontMatchCache(file);
    EXPECT_GT(AscentOf("DejaVu Sans"), 15);
    EXPECT_FALSE(FontConfigLoaded());

    // A face it does not know is matched by fontconfig and kept.
    EXPECT_GT(AscentOf("Sans Serif"), 15);
    EXPECT_TRUE(FontConfigLoaded());
    host::gdi::ReleaseFontConfiguration();
    EXPECT_TRUE(FontMatchCache::Load(file, host::gdi::FontConfigEnvironment()).Find({"Sans Serif", false, false}));
}

// A cached match whose file is no font any more (replaced in place, its
// witness unchanged) is not drawn: the faces are matched again.
TEST(FontMatchCache, AFaceItNamesWronglyIsMatchedAgain)
{
    const std::string folder = Folder("wrong");
    testfiles::WriteFileAt(folder + "DejaVuSans.ttf", "this is no font");
    const std::string file = folder + "font-matches";
    FontMatchCache cache;
    cache.Add({"DejaVu Sans", false, false}, {folder + "DejaVuSans.ttf", 0, false, false}, {});
    ASSERT_TRUE(cache.Save(file, host::gdi::FontConfigEnvironment()));

    host::gdi::UseFontMatchCache(file);
    const LONG ascent = AscentOf("DejaVu Sans");
    EXPECT_GT(ascent, 15);
    host::gdi::ReleaseFontConfiguration();
    const FontMatchCache rewritten = FontMatchCache::Load(file, host::gdi::FontConfigEnvironment());
    ASSERT_TRUE(rewritten.Find({"DejaVu Sans", false, false}));
    EXPECT_NE(folder + "DejaVuSans.ttf", rewritten.Find({"DejaVu Sans", false, false})->path);
}

}  // namespace
