#include "edit/PixelFont.h"

#include <algorithm>
#include <numeric>

namespace {

// The grid step of the face's outlines in font units, or 0 when no glyph of
// the sample has an outline.
long OutlineGridStep(FT_Face face) {
    long step =
        std::gcd(std::gcd(static_cast<long>(face->units_per_EM), static_cast<long>(face->ascender)),
                 static_cast<long>(face->descender));
    int sampled = 0;
    for (FT_Long index = 1; index < face->num_glyphs && sampled < kGridSampleGlyphs; ++index) {
        if (FT_Load_Glyph(face, static_cast<FT_UInt>(index), FT_LOAD_NO_SCALE) != 0)
            continue;
        const FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points == 0)
            continue;
        ++sampled;
        step = std::gcd(step, static_cast<long>(slot->advance.x));
        for (short k = 0; k < slot->outline.n_points; ++k) {
            step = std::gcd(step, static_cast<long>(slot->outline.points[k].x));
            step = std::gcd(step, static_cast<long>(slot->outline.points[k].y));
        }
        // One point off the grid settles it.
        if (step == 1)
            break;
    }
    return sampled == 0 ? 0 : step;
}

} // namespace

std::vector<int> NativePixelSizes(FT_Face face) {
    std::vector<int> sizes;
    for (FT_Int i = 0; i < face->num_fixed_sizes; ++i) {
        // y_ppem is 26.6; a strike is drawn at its whole pixel size.
        const int ppem = static_cast<int>((face->available_sizes[i].y_ppem + 32) >> 6);
        if (ppem > 0)
            sizes.push_back(ppem);
    }
    if (FT_IS_SCALABLE(face) && face->units_per_EM > 0) {
        const long step = OutlineGridStep(face);
        if (step > 0 && face->units_per_EM % step == 0 &&
            face->units_per_EM / step <= kMaxNativePixels)
            sizes.push_back(static_cast<int>(face->units_per_EM / step));
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

int NativeSizeFor(const std::vector<int>& nativeSizes, int size) {
    int best = 0;
    for (const int native : nativeSizes)
        if (native > 0 && size > 0 && size % native == 0)
            best = std::max(best, native);
    return best;
}

SLineSizing LineSizing(const std::vector<int>& nativeSizes, bool scalable, int size) {
    if (const int native = NativeSizeFor(nativeSizes, size); native > 0)
        return {native, size / native};
    if (scalable || nativeSizes.empty())
        return {size, 1};
    int fitting = 0;
    for (const int strike : nativeSizes)
        if (strike <= size)
            fitting = std::max(fitting, strike);
    return {fitting > 0 ? fitting : *std::min_element(nativeSizes.begin(), nativeSizes.end()), 1};
}
