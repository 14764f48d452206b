#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

// Pixel fonts: fonts whose glyphs are drawn on a grid of whole dots, so that
// at their native size each glyph is an exact bitmap with no stroke to
// threshold. A face counts as one in two ways:
//
// - it carries bitmap strikes (PCF, OTB, or an outline font with embedded
//   bitmaps such as Misaki): each strike's pixel size is a native size, and
//   at that size FreeType hands out the strike's own bitmaps;
// - it is an outline font drawn on a pixel grid (Unifont's OpenType faces,
//   Misaki's outlines): every point of its outlines, every advance and its
//   ascender and descender are whole multiples of one grid step g, and the
//   em holds a whole number N = units_per_EM / g of them, at most
//   kMaxNativePixels. N is then a native size: at N pixels an em every
//   outline edge lies on a pixel edge, and FreeType's monochrome renderer
//   lights exactly the grid's squares.
//
// The grid is read from the first kGridSampleGlyphs glyphs that have an
// outline (glyph 0, the missing glyph, is often drawn off the grid and is
// left out). An ordinary outline font has points on odd units and comes out
// with g = 1 and N far above the limit.

// Grids finer than this many dots an em are no pixel grid.
inline constexpr int kMaxNativePixels = 64;
// Glyphs whose outlines decide whether a face is drawn on a grid.
inline constexpr int kGridSampleGlyphs = 256;

// The native sizes of `face` in pixels an em, smallest first; empty for an
// outline font that is not drawn on a pixel grid. Reads glyph outlines
// unscaled and leaves the face's size as it was.
std::vector<int> NativePixelSizes(FT_Face face);

// The native size a line `size` dots high is drawn at: the largest of
// `nativeSizes` that divides `size` (the glyphs are then scaled up by the
// whole factor between them), or 0 when none does.
int NativeSizeFor(const std::vector<int>& nativeSizes, int size);

// The pixel size a face is set to for a line `size` dots high, and the whole
// factor its glyphs are then scaled up by.
struct SLineSizing {
    int drawn = 0;
    int scale = 1;
    bool operator==(const SLineSizing&) const = default;
};

// How a face with `nativeSizes` (NativePixelSizes) draws a line `size` dots
// high: at the native size NativeSizeFor gives, scaled up to the line; else
// unscaled at the line's height, but a face of bitmaps alone (not
// `scalable`) at its largest native size that fits the line, or its
// smallest when none does.
SLineSizing LineSizing(const std::vector<int>& nativeSizes, bool scalable, int size);
