// Fonts (see font.h). Sections: FreeType and fontconfig, realizing a face
// at its size, glyphs, the Win32 calls.
#include "platform/host/gdi/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

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

// Fontconfig's own configuration, loaded when a face is first looked up and
// released once the program has started (ReleaseFontConfiguration), or at
// exit so that its memory is not taken for a leak.
struct FontConfig {
    FcConfig* config = nullptr;
    ~FontConfig()
    {
        Release();
        FcFini();
    }
    void Release()
    {
        if (config) FcConfigDestroy(config);
        config = nullptr;
    }
};

FontConfig& TheFontConfigSlot()
{
    static FontConfig fontConfig;
    return fontConfig;
}

FcConfig* TheFontConfig()
{
    FontConfig& slot = TheFontConfigSlot();
    if (!slot.config) slot.config = FcInitLoadConfigAndFonts();
    return slot.config;
}

// A font file that fontconfig chose, and the styles it has of its own.
struct FaceFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

// The installed face nearest to the request; fontconfig falls back on the
// default sans face for names it does not know.
FaceFile MatchFace(const std::string& family, bool bold, bool italic)
{
    static std::map<std::tuple<std::string, bool, bool>, FaceFile> matches;
    auto key = std::make_tuple(family, bold, italic);
    if (auto found = matches.find(key); found != matches.end()) return found->second;

    FaceFile file;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.empty() ? "sans-serif" : family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfig* config = TheFontConfig();
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = config ? FcFontMatch(config, pattern, &result) : nullptr) {
        FcChar8* path = nullptr;
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file.path = reinterpret_cast<char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        file.bold = weight >= FC_WEIGHT_DEMIBOLD;
        file.italic = slant != FC_SLANT_ROMAN;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    matches.emplace(key, file);
    return file;
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

std::shared_ptr<RealizedFont> RealizedFont::For(const LOGFONTW& logFont)
{
    const bool bold = logFont.lfWeight >= FW_SEMIBOLD;
    const bool italic = logFont.lfItalic != 0;
    const int height = logFont.lfHeight == 0 ? kDefaultHeight
                                             : std::clamp<LONG>(logFont.lfHeight, -kLargestHeight, kLargestHeight);
    FaceFile file = MatchFace(FaceName(logFont), bold, italic);
    if (file.path.empty()) return nullptr;

    static std::map<std::tuple<std::string, int, int, bool, bool>, std::weak_ptr<RealizedFont>> realized;
    auto key = std::make_tuple(file.path, file.index, height, bold, italic);
    if (auto found = realized.find(key); found != realized.end()) {
        if (auto shared = found->second.lock()) return KeepRecent(shared);
    }

    auto face = std::make_shared<Face>();
    if (!face->library->ft || FT_New_Face(face->library->ft, file.path.c_str(), file.index, &face->ft) != 0 ||
        !FT_IS_SCALABLE(face->ft) || face->ft->units_per_EM == 0)
        return nullptr;
    FT_Face ft = face->ft;

    // Windows measures cells by the OS/2 table's ascent and descent.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const bool useOs2 = os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0;
    const double ascender = useOs2 ? os2->usWinAscent : ft->ascender;
    const double descender = useOs2 ? os2->usWinDescent : -ft->descender;
    const double units = ft->units_per_EM;
    const double ppem = height > 0 ? height * units / std::max(1.0, ascender + descender) : -height;
    if (FT_Set_Char_Size(ft, 0, std::max<FT_F26Dot6>(64, std::lround(ppem * 64)), 72, 72) != 0) return nullptr;
    const double scale = ppem / units;

    std::shared_ptr<RealizedFont> font(new RealizedFont);
    font->face_ = face;
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

RealizedFont::~RealizedFont() = default;

// ---- Glyphs --------------------------------------------------------------

const Glyph& RealizedFont::GlyphOf(char32_t character)
{
    if (auto found = glyphs_.find(character); found != glyphs_.end()) return found->second;
    Glyph& glyph = glyphs_[character];
    if (character < 0x20 || character == 0x7F) return glyph;

    FT_Face ft = face_->ft;
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

void ReleaseFontConfiguration()
{
    TheFontConfigSlot().Release();
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
