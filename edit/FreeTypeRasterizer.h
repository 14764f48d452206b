#pragma once

#include "store/GlyphRasterizer.h"

#include <memory>
#include <string>

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
class CFreeTypeRasterizer : public CGlyphRasterizer {
public:
    CFreeTypeRasterizer();
    ~CFreeTypeRasterizer() override;
    CFreeTypeRasterizer(const CFreeTypeRasterizer&) = delete;
    CFreeTypeRasterizer& operator=(const CFreeTypeRasterizer&) = delete;

    // See CGlyphRasterizer. A blank glyph (a space) is a 1 x 1 black box
    // without a dot.
    std::optional<SGlyph> Rasterize(const CLogFont& font, unsigned code) override;

private:
    class CImpl;
    std::unique_ptr<CImpl> m_impl;
};

// The family of the font the rasterizer draws `font` with (the first family
// name fontconfig gives the match, "IPAGothic" for "ＭＳ ゴシック" on a fresh
// Debian); empty when fontconfig cannot start or finds no font.
std::string ResolvedFamily(const CLogFont& font);
