#pragma once

#include "store/LogFont.h"

#include <cstddef>
#include <optional>
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

    // Whether the dot at black-box column `column`, row `row` is set; false
    // outside the black box.
    bool Dot(int column, int row) const {
        if (column < 0 || row < 0 || column >= blackBoxX || row >= blackBoxY)
            return false;
        const size_t index =
            static_cast<size_t>(row) * static_cast<size_t>(pitch) + static_cast<size_t>(column / 8);
        return index < bits.size() && (bits[index] & (0x80u >> (column % 8))) != 0;
    }
};

// Draws characters of code page 932 with a font described by a CLogFont. The
// view holds one; the window and the headless session give it the FreeType
// one, tests may give a scripted one.
class CGlyphRasterizer {
public:
    virtual ~CGlyphRasterizer() = default;

    // The glyph of `code` in `font`: a double-byte character as lead byte x 256
    // + trail byte, a single-byte one as its byte 0..255. nullopt when no font
    // can be had for the description, the font has no glyph for the
    // character, or the code is no character of code page 932.
    virtual std::optional<SGlyph> Rasterize(const CLogFont& font, unsigned code) = 0;
};
