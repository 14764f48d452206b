#pragma once

#include "store/GlyphRasterizer.h"

#include <memory>
#include <string>
#include <vector>

// The glyph rasterizer of the editor: resolves a font description with
// fontconfig and draws 1-bit glyphs with FreeType.
//
// The description's face name, Japanese character set (128), weight, italic
// and fixed pitch go into the fontconfig pattern; a face no font has falls
// back to the best match fontconfig offers (IPAGothic on a fresh Debian with
// the Japanese character set). A negative height is the character height in
// pixels, a positive one the cell height (ascent + descent), 0 a cell height
// of 16 pixels. Bold and italic that the font lacks are synthesized where
// fontconfig asks for it. Each description's font is loaded on first use and
// kept for the next characters; nothing is loaded before the first character.
//
// Lines of text (RasterizeText) are drawn with the installed font of the
// family asked for. A pixel font (see edit/PixelFont.h) is drawn at a native
// size that divides the line's height with FreeType's monochrome rendering,
// the origin on the dot grid, so each glyph is exactly the font's own bitmap;
// on a line a whole multiple of that high each dot becomes a square block.
// A font of bitmaps alone without such a size is drawn unscaled at its
// largest size that fits the line. Any other font is drawn as character
// import draws it, at the line's height in pixels an em. The baseline divides the line as the
// face's ascender and descender divide its height.
class CFreeTypeRasterizer : public CGlyphRasterizer {
public:
    CFreeTypeRasterizer();
    ~CFreeTypeRasterizer() override;
    CFreeTypeRasterizer(const CFreeTypeRasterizer&) = delete;
    CFreeTypeRasterizer& operator=(const CFreeTypeRasterizer&) = delete;

    // See CGlyphRasterizer. A blank glyph (a space) is a 1 x 1 black box
    // without a dot.
    std::optional<SGlyph> Rasterize(const CLogFont& font, unsigned code) override;

    // See CGlyphRasterizer. A family name may carry the backslashes that
    // `fc-list` prints before "-" ("Unifont\-JP").
    std::optional<SGlyph> RasterizeText(const STextFont& font, char32_t character) override;

    // See CGlyphRasterizer: the first family name of the font fontconfig
    // chooses for the description.
    std::string FamilyOf(const CLogFont& font) override;

private:
    class CImpl;
    std::unique_ptr<CImpl> m_impl;
};

// The families of the installed fonts that can draw text lines, each by its
// first name as `fc-list : family` prints it (without the backslashes),
// sorted and without repeats; empty when fontconfig cannot be started.
std::vector<std::string> InstalledFontFamilies();
