#pragma once

#include "store/LogFont.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One character as a font draws it, in the terms character import places it
// by: the black box (the smallest rectangle around its dots), where the black
// box's top-left corner lies relative to the pen on the baseline (x to the
// right, y upwards), the font's ascent, and the dots of the black box.
struct SGlyph {
    int blackBoxX = 0;
    int blackBoxY = 0;
    int originX = 0;
    int originY = 0;
    int ascent = 0;
    // Row r of the black box starts at byte r * pitch of `bits`; the leftmost
    // dot of a row is the most significant bit of its first byte.
    int pitch = 0;
    std::vector<unsigned char> bits;
    // How far the pen moves on after the character, in dots. Only glyphs of
    // a line of text (RasterizeText) set it.
    int advance = 0;

    // Whether the dot at black-box column `column`, row `row` is set; false
    // outside the black box.
    bool Dot(int column, int row) const {
        if (column < 0 || row < 0 || column >= blackBoxX || row >= blackBoxY)
            return false;
        const size_t index =
            static_cast<size_t>(row) * static_cast<size_t>(pitch) + static_cast<size_t>(column / 8);
        return index < bits.size() && (bits[index] & (0x80u >> (column % 8))) != 0;
    }

    // Makes the black box `width` x `height` dots, all clear.
    void ClearBox(int width, int height) {
        blackBoxX = width;
        blackBoxY = height;
        pitch = (width + 7) / 8;
        bits.assign(static_cast<size_t>(pitch) * static_cast<size_t>(height), 0);
    }

    // Sets the dot at black-box column `column`, row `row`, which must lie
    // inside the black box.
    void SetDot(int column, int row) {
        bits[static_cast<size_t>(row) * static_cast<size_t>(pitch) +
             static_cast<size_t>(column / 8)] |= static_cast<unsigned char>(0x80u >> (column % 8));
    }
};

// The font of a line of text: a family as `fc-list : family` prints it
// ("Unifont-JP", "MisakiGothic"), drawn for a line `size` dots high.
struct STextFont {
    std::string family;
    int size = 16;

    bool operator==(const STextFont&) const = default;
};

// Draws characters of code page 932 with a font described by a CLogFont, and
// Unicode characters of a line of text. The view holds one; the window and
// the headless session give it the FreeType one, tests may give a scripted
// one.
class CGlyphRasterizer {
public:
    virtual ~CGlyphRasterizer() = default;

    // The glyph of `code` in `font`: a double-byte character as lead byte x 256
    // + trail byte, a single-byte one as its byte 0..255. nullopt when no font
    // can be had for the description, the font has no glyph for the
    // character, or the code is no character of code page 932.
    virtual std::optional<SGlyph> Rasterize(const CLogFont& font, unsigned code) = 0;

    // The glyph of Unicode `character` on a line of text in `font`: the black
    // box and its origin as Rasterize gives them, `ascent` the row of the
    // baseline counted from the line's top row, and `advance` set. A
    // character the font lacks gives the font's missing glyph. nullopt when
    // no installed font has the family (no other font stands in for it) or
    // the glyph cannot be drawn. This default draws nothing.
    virtual std::optional<SGlyph> RasterizeText(const STextFont& /*font*/, char32_t /*character*/) {
        return std::nullopt;
    }

    // The family of the font that character import draws `font` with, for
    // use in an STextFont and for the font dialog to open on; empty when no
    // font can be had. This default
    // knows none.
    virtual std::string FamilyOf(const CLogFont& /*font*/) { return {}; }
};
