// Fonts: a LOGFONTW becomes a face found by fontconfig, loaded and rendered
// by FreeType at the pixel size that the Win32 height rules give.
//
// Heights follow LOGFONTW: a positive lfHeight is the cell height (ascent
// plus descent), a negative one the character height (the em size), and 0
// the default, a character height of 11 pixels (a 13-pixel cell in the
// stock sans face). A weight of 600 or more is bold; a face without a bold
// or italic style of its own is emboldened or slanted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/host/gdi/FontMatchCache.h"
#include "platform/win32.h"

struct FT_SizeRec_;

namespace host::gdi {

// One rendered character: `coverage` holds `rows` x `width` grey levels;
// the bitmap's top-left lies `left` pixels right of the pen position and
// `top` rows above the baseline.
struct Glyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage;
};

class RealizedFont {
public:
    // The face for `logFont`, shared by every font that asks for the same
    // face at the same size; null when no face at all can be loaded.
    static std::shared_ptr<RealizedFont> For(const LOGFONTW& logFont);

    ~RealizedFont();
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;

    // Metrics without the per-font underline and strike-out flags.
    const TEXTMETRICW& Metrics() const { return metrics_; }

    // Rows below the cell top and height of an underline.
    int UnderlineTop() const { return underlineTop_; }
    int UnderlineHeight() const { return underlineHeight_; }

    // Control characters have no glyph and no width.
    const Glyph& GlyphOf(char32_t character);

private:
    struct Face;
    RealizedFont() = default;
    static std::shared_ptr<Face> OpenFace(const FaceFile& file);

    std::shared_ptr<Face> face_;
    FT_SizeRec_* size_ = nullptr;  // this font's size of the shared face
    bool embolden_ = false;
    bool slant_ = false;
    TEXTMETRICW metrics_{};
    int underlineTop_ = 0;
    int underlineHeight_ = 1;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

// Keeps the faces that fontconfig matched in `file` (FontMatchCache.h) and
// answers from it on later starts. Without it, matches last one run.
void UseFontMatchCache(const std::string& file);

// Once the panels stand: saves the matches when they changed, and frees
// fontconfig's configuration (some hundred kilobytes); faces looked up
// before are remembered, a new one loads it again.
void ReleaseFontConfiguration();

}  // namespace host::gdi
