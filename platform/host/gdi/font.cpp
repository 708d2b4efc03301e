// Fonts (see font.h). Sections: FreeType and fontconfig, realizing a face
// at its size, glyphs, the Win32 calls.
#include "platform/host/gdi/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "platform/host/gdi/FontMatcher.h"
#include "platform/host/gdi/dc.h"
#include "platform/host/kernel/unicode.h"

namespace host::gdi {
namespace {

constexpr int kDefaultHeight = -11;
constexpr int kLargestHeight = 2048;

// ---- FreeType and fontconfig ---------------------------------------------

// The FreeType library lives as long as the last face that uses it, which
// may be a stock font freed at exit after this file's statics.
struct Library {
    FT_Library ft = nullptr;
    Library() { FT_Init_FreeType(&ft); }
    ~Library() { FT_Done_FreeType(ft); }
};

std::shared_ptr<Library> TheLibrary()
{
    static std::shared_ptr<Library> library = std::make_shared<Library>();
    return library;
}

// The faces matched so far: those of earlier runs from the cache file, if
// one is used and still holds, and those that fontconfig matched in this
// one, saved when the panels stand.
struct Matches {
    std::string file;  // empty: nothing is kept between runs
    std::string environment;
    FontMatchCache cache;
    bool loaded = false;
    bool fromFile = false;  // some matches came from the file and were not yet proved
};

Matches& TheMatches()
{
    static Matches matches;
    return matches;
}

FaceFile MatchFace(const FaceRequest& request)
{
    Matches& matches = TheMatches();
    if (!matches.loaded && !matches.file.empty()) {
        matches.environment = FontConfigEnvironment();
        matches.cache = FontMatchCache::Load(matches.file, matches.environment);
        matches.fromFile = matches.cache.Size() > 0;
    }
    matches.loaded = true;
    if (const FaceFile* known = matches.cache.Find(request))
        return *known;
    FaceFile file = MatchWithFontConfig(request);
    if (!file.path.empty())
        matches.cache.Add(request, file, matches.file.empty() ? std::vector<std::string>() : FontConfigWitnesses());
    return file;
}

// A face file that cannot be loaded although the cache named it: the cache
// is wrong, so every match is made again by fontconfig. True when that may
// give another answer.
bool DistrustCachedMatches()
{
    Matches& matches = TheMatches();
    if (!matches.fromFile)
        return false;
    matches.fromFile = false;
    matches.cache.Clear();
    return true;
}

std::string FaceName(const LOGFONTW& logFont)
{
    const WCHAR* name = logFont.lfFaceName;
    size_t length = 0;
    while (length < LF_FACESIZE && name[length]) ++length;
    return ToUtf8(std::u16string_view(name, length));
}

// Painters make a font for one drawing and delete it again; the faces they
// used last stay realized, with their rendered glyphs, so that the next
// drawing renders nothing again.
constexpr size_t kRecentFonts = 16;

std::shared_ptr<RealizedFont> KeepRecent(const std::shared_ptr<RealizedFont>& font)
{
    static std::vector<std::shared_ptr<RealizedFont>> recent;
    auto found = std::find(recent.begin(), recent.end(), font);
    if (found == recent.end()) {
        if (recent.size() == kRecentFonts)
            recent.pop_back();
        found = recent.insert(recent.begin(), font);
    }
    std::rotate(recent.begin(), found, found + 1);
    return font;
}

}  // namespace

struct RealizedFont::Face {
    std::shared_ptr<Library> library = TheLibrary();
    FT_Face ft = nullptr;
    ~Face()
    {
        if (ft) FT_Done_Face(ft);
    }
};

// ---- Realizing a face at its size ----------------------------------------

// One face for every size of it, so that each font file is read once.
std::shared_ptr<RealizedFont::Face> RealizedFont::OpenFace(const FaceFile& file)
{
    static std::map<std::pair<std::string, int>, std::weak_ptr<Face>> opened;
    const auto key = std::make_pair(file.path, file.index);
    if (auto found = opened.find(key); found != opened.end()) {
        if (auto shared = found->second.lock()) return shared;
    }
    auto face = std::make_shared<Face>();
    if (!face->library->ft || FT_New_Face(face->library->ft, file.path.c_str(), file.index, &face->ft) != 0 ||
        !FT_IS_SCALABLE(face->ft) || face->ft->units_per_EM == 0)
        return nullptr;
    std::erase_if(opened, [](const auto& entry) { return entry.second.expired(); });
    opened[key] = face;
    return face;
}

std::shared_ptr<RealizedFont> RealizedFont::For(const LOGFONTW& logFont)
{
    const bool bold = logFont.lfWeight >= FW_SEMIBOLD;
    const bool italic = logFont.lfItalic != 0;
    const int height = logFont.lfHeight == 0 ? kDefaultHeight
                                             : std::clamp<LONG>(logFont.lfHeight, -kLargestHeight, kLargestHeight);
    const FaceRequest request{FaceName(logFont), bold, italic};
    FaceFile file = MatchFace(request);
    std::shared_ptr<Face> face = file.path.empty() ? nullptr : OpenFace(file);
    if (!face && DistrustCachedMatches()) {
        file = MatchFace(request);
        face = file.path.empty() ? nullptr : OpenFace(file);
    }
    if (!face) return nullptr;

    static std::map<std::tuple<std::string, int, int, bool, bool>, std::weak_ptr<RealizedFont>> realized;
    auto key = std::make_tuple(file.path, file.index, height, bold, italic);
    if (auto found = realized.find(key); found != realized.end()) {
        if (auto shared = found->second.lock()) return KeepRecent(shared);
    }

    std::shared_ptr<RealizedFont> font(new RealizedFont);
    font->face_ = face;
    FT_Face ft = face->ft;
    if (FT_New_Size(ft, &font->size_) != 0) return nullptr;
    FT_Activate_Size(font->size_);

    // Windows measures cells by the OS/2 table's ascent and descent.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const bool useOs2 = os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0;
    const double ascender = useOs2 ? os2->usWinAscent : ft->ascender;
    const double descender = useOs2 ? os2->usWinDescent : -ft->descender;
    const double units = ft->units_per_EM;
    const double ppem = height > 0 ? height * units / std::max(1.0, ascender + descender) : -height;
    if (FT_Set_Char_Size(ft, 0, std::max<FT_F26Dot6>(64, std::lround(ppem * 64)), 72, 72) != 0) return nullptr;
    const double scale = ppem / units;

    font->embolden_ = bold && !file.bold;
    font->slant_ = italic && !file.italic;

    TEXTMETRICW& tm = font->metrics_;
    tm.tmAscent = std::lround(ascender * scale);
    tm.tmDescent = height > 0 ? height - tm.tmAscent : std::lround(descender * scale);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - std::lround(ppem));
    const double lineGap = ft->height - (ft->ascender - ft->descender);
    tm.tmExternalLeading = std::max<LONG>(0, std::lround((lineGap - (ascender + descender - (ft->ascender - ft->descender))) * scale));
    tm.tmAveCharWidth = std::lround((useOs2 ? os2->xAvgCharWidth : ft->max_advance_width / 2.0) * scale);
    tm.tmMaxCharWidth = std::lround(ft->max_advance_width * scale);
    tm.tmWeight = bold ? FW_BOLD : FW_NORMAL;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = italic;
    tm.tmPitchAndFamily = 0x06;  // a scalable TrueType face

    font->underlineHeight_ = std::max<int>(1, std::lround(ft->underline_thickness * scale));
    font->underlineTop_ = std::clamp<int>(tm.tmAscent + std::max<int>(1, std::lround(-ft->underline_position * scale)) -
                                              font->underlineHeight_ / 2,
                                          0, std::max<int>(0, tm.tmHeight - font->underlineHeight_));

    std::erase_if(realized, [](const auto& entry) { return entry.second.expired(); });
    realized[key] = font;
    return KeepRecent(font);
}

RealizedFont::~RealizedFont()
{
    if (size_) FT_Done_Size(size_);
}

// ---- Glyphs --------------------------------------------------------------

const Glyph& RealizedFont::GlyphOf(char32_t character)
{
    if (auto found = glyphs_.find(character); found != glyphs_.end()) return found->second;
    Glyph& glyph = glyphs_[character];
    if (character < 0x20 || character == 0x7F) return glyph;

    FT_Face ft = face_->ft;
    FT_Activate_Size(size_);
    FT_UInt index = FT_Get_Char_Index(ft, character);
    if (FT_Load_Glyph(ft, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return glyph;
    FT_GlyphSlot slot = ft->glyph;
    if (embolden_) FT_GlyphSlot_Embolden(slot);
    if (slant_) FT_GlyphSlot_Oblique(slot);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return glyph;

    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(size_t(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y)
        std::memcpy(&glyph.coverage[size_t(y) * glyph.width], bitmap.buffer + ptrdiff_t(y) * bitmap.pitch, glyph.width);
    return glyph;
}

void UseFontMatchCache(const std::string& file)
{
    TheMatches().file = file;
}

void ReleaseFontConfiguration()
{
    Matches& matches = TheMatches();
    // A cache that cannot be written (a read-only home, a full disk) is
    // simply not kept; the next start asks fontconfig again.
    if (!matches.file.empty() && matches.cache.Changed())
        matches.cache.Save(matches.file, matches.environment);
    ReleaseFontConfig();
    // Most of what fontconfig held lies amid the heap: give its pages back.
    malloc_trim(0);
}

RealizedFont* Font::Realize()
{
    if (!realized) realized = RealizedFont::For(logFont);
    return realized.get();
}

}  // namespace host::gdi

using namespace host::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* logFont)
{
    if (!logFont) return nullptr;
    auto font = std::make_unique<Font>();
    font->logFont = *logFont;
    return static_cast<HFONT>(AddObject(std::move(font)));
}

BOOL GetTextMetricsW(HDC handle, LPTEXTMETRICW metrics)
{
    DeviceContext* dc = LookupDC(handle);
    if (!dc || !metrics) return FALSE;
    Font& font = dc->CurrentFont();
    RealizedFont* realized = font.Realize();
    if (!realized) return FALSE;
    *metrics = realized->Metrics();
    metrics->tmUnderlined = font.logFont.lfUnderline;
    metrics->tmStruckOut = font.logFont.lfStrikeOut;
    return TRUE;
}
