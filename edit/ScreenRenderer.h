#pragma once

#include "store/ScreenGeometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// How a screen looks in an exported picture: `Pixel` draws every dot as a
// square of scale x scale pixels, lit white on black; `Led` draws it as a
// round lamp in a cell of that size, lit lamps bright and unlit ones dim on a
// dark board, as the sign itself looks.
enum class ERenderStyle { Led, Pixel };

// Scales an export accepts, in pixels per dot.
inline constexpr int kMinRenderScale = 1;
inline constexpr int kMaxRenderScale = 32;
inline constexpr int kDefaultRenderScale = 8;

struct SRenderOptions {
    ERenderStyle style = ERenderStyle::Led;
    int scale = kDefaultRenderScale;
};

// One colour of a palette.
struct SRgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const SRgb&) const = default;
};

// Draws screens as 8-bit palette indices. Index 0 is the background (black,
// or the board), 1 a lit dot; the LED style adds 2 for an unlit lamp. The
// palette may carry one more colour, the gap of a contact sheet.
class CScreenRenderer {
public:
    // A renderer for `options`; a scale outside kMinRenderScale ..
    // kMaxRenderScale is pulled into that range.
    explicit CScreenRenderer(const SRenderOptions& options);

    int Scale() const { return m_scale; }
    ERenderStyle Style() const { return m_style; }
    // The size of one rendered screen in pixels.
    int Width() const { return kScreenColumns * m_scale; }
    int Height() const { return kScreenRows * m_scale; }

    // The index of the background, of a lit and an unlit dot, and of the
    // gap colour that Palette(true) adds.
    static constexpr std::uint8_t kBackground = 0;
    static constexpr std::uint8_t kLit = 1;
    std::uint8_t UnlitIndex() const { return m_style == ERenderStyle::Led ? 2 : kBackground; }
    std::uint8_t GapIndex() const { return m_style == ERenderStyle::Led ? 3 : 2; }

    // The colours of the indices: two (pixel) or three (LED), and the gap
    // colour after them when `withGap` is set.
    std::vector<SRgb> Palette(bool withGap = false) const;

    // Draws dot row `dotRow` (0 = top) of the 48-word `screen`: Scale()
    // pixel rows of Width() pixels, the first at `pixels`, each `stride`
    // bytes after the one before.
    void RenderDotRow(const Word* screen, int dotRow, std::uint8_t* pixels,
                      std::size_t stride) const;

    // Draws the whole screen, Height() rows of Width() pixels from `pixels`.
    void RenderScreen(const Word* screen, std::uint8_t* pixels, std::size_t stride) const;

private:
    ERenderStyle m_style;
    int m_scale;
    // Row y (0 .. scale - 1) of a lit and of an unlit cell, scale bytes each.
    std::vector<std::uint8_t> m_litCell;
    std::vector<std::uint8_t> m_unlitCell;
};
