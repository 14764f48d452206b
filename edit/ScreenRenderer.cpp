#include "edit/ScreenRenderer.h"

#include <algorithm>
#include <cstring>

namespace {

const SRgb kBlack{0, 0, 0};
const SRgb kWhite{255, 255, 255};
// A warm white lamp over a nearly black board. The lamp must stay bright
// enough that a cell averages above mid-grey, so that an imported export
// comes back with the default threshold.
const SRgb kBoard{16, 16, 16};
const SRgb kLampLit{255, 236, 160};
const SRgb kLampUnlit{56, 48, 40};
const SRgb kSheetGap{128, 128, 128};

// The pixels of a cell of `scale` x `scale` that its lamp covers: a disc in
// the top-left corner, leaving a gap of about an eighth of the cell to the
// right and below it so neighbouring lamps stay apart. Cells of three pixels
// or less are filled: too small to look round.
std::vector<bool> LampMask(int scale) {
    std::vector<bool> mask(static_cast<size_t>(scale) * scale, false);
    const int gap = scale <= 3 ? 0 : std::max(1, (scale + 4) / 8);
    const int diameter = scale - gap;
    const double centre = diameter / 2.0;
    // A little over the radius rounds the disc out to the pixel grid.
    const double radius = diameter / 2.0 + 0.25;
    for (int y = 0; y < diameter; ++y) {
        for (int x = 0; x < diameter; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            mask[static_cast<size_t>(y) * scale + x] = dx * dx + dy * dy <= radius * radius;
        }
    }
    return mask;
}

} // namespace

CScreenRenderer::CScreenRenderer(const SRenderOptions& options)
    : m_style(options.style), m_scale(std::clamp(options.scale, kMinRenderScale, kMaxRenderScale)) {
    const size_t cell = static_cast<size_t>(m_scale) * m_scale;
    if (m_style == ERenderStyle::Pixel) {
        m_litCell.assign(cell, kLit);
        m_unlitCell.assign(cell, kBackground);
        return;
    }
    const std::vector<bool> lamp = LampMask(m_scale);
    m_litCell.resize(cell);
    m_unlitCell.resize(cell);
    for (size_t i = 0; i < cell; ++i) {
        m_litCell[i] = lamp[i] ? kLit : kBackground;
        m_unlitCell[i] = lamp[i] ? UnlitIndex() : kBackground;
    }
}

std::vector<SRgb> CScreenRenderer::Palette(bool withGap) const {
    std::vector<SRgb> colours;
    if (m_style == ERenderStyle::Pixel)
        colours = {kBlack, kWhite};
    else
        colours = {kBoard, kLampLit, kLampUnlit};
    if (withGap)
        colours.push_back(kSheetGap);
    return colours;
}

void CScreenRenderer::RenderDotRow(const Word* screen, int dotRow, std::uint8_t* pixels,
                                   std::size_t stride) const {
    const Word mask = DotMask(dotRow);
    const size_t scale = static_cast<size_t>(m_scale);
    for (size_t y = 0; y < scale; ++y) {
        std::uint8_t* out = pixels + y * stride;
        const std::uint8_t* lit = m_litCell.data() + y * scale;
        const std::uint8_t* unlit = m_unlitCell.data() + y * scale;
        for (int column = 0; column < kScreenColumns; ++column, out += scale)
            std::memcpy(out, (screen[column] & mask) != 0 ? lit : unlit, scale);
    }
}

void CScreenRenderer::RenderScreen(const Word* screen, std::uint8_t* pixels,
                                   std::size_t stride) const {
    const size_t band = static_cast<size_t>(m_scale) * stride;
    for (int row = 0; row < kScreenRows; ++row)
        RenderDotRow(screen, row, pixels + static_cast<size_t>(row) * band, stride);
}
