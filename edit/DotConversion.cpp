#include "edit/DotConversion.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Sums of weights that should be exact may miss by rounding.
constexpr double kTolerance = 1e-6;

} // namespace

CDotConverter::CDotConverter(int width, int height, const SDotOptions& options)
    : m_options(options), m_width(std::max(width, 1)) {
    height = std::max(height, 1);
    // The span of the screen in picture pixels along each axis: the picture
    // itself when stretched; with Contain the tighter axis sets the scale
    // and the other one gets room on both sides.
    double spanX = m_width;
    double spanY = height;
    if (m_options.fit == EFit::Contain) {
        const double scale =
            std::min(double(kScreenColumns) / m_width, double(kScreenRows) / height);
        spanX = kScreenColumns / scale;
        spanY = kScreenRows / scale;
    }
    m_columns = AxisWeights(kScreenColumns, m_width, spanX);
    m_rows = AxisWeights(kScreenRows, height, spanY);
    for (const Weights& weights : m_columns) {
        double cover = 0;
        for (const auto& [pixel, weight] : weights)
            cover += weight;
        m_columnCover.push_back(cover);
    }
    for (const Weights& weights : m_rows) {
        double cover = 0;
        for (const auto& [pixel, weight] : weights)
            cover += weight;
        m_rowCover.push_back(cover);
    }
}

std::vector<CDotConverter::Weights> CDotConverter::AxisWeights(int cells, int length, double span) {
    std::vector<Weights> axis(static_cast<size_t>(cells));
    const double offset = (span - length) / 2;
    const double cell = span / cells;
    for (int i = 0; i < cells; ++i) {
        const double from = std::max(0.0, i * cell - offset);
        const double to = std::min(double(length), (i + 1) * cell - offset);
        for (int pixel = static_cast<int>(std::floor(from)); pixel < to; ++pixel) {
            const double overlap = std::min(to, pixel + 1.0) - std::max(from, double(pixel));
            if (overlap > 0)
                axis[static_cast<size_t>(i)].emplace_back(pixel, overlap / cell);
        }
    }
    return axis;
}

void CDotConverter::Convert(const SGreyImage& image, Word* screen) const {
    // Blank counts as the luminance that leaves a dot unlit; a dot with
    // nothing but blank under it is unlit whatever the threshold.
    const double blank = m_options.invert ? 255.0 : 0.0;
    std::array<double, kScreenColumns * kScreenRows> sums{};
    std::array<double, kScreenColumns * kScreenRows> blanks{};
    std::array<double, kScreenColumns> rowSums{};
    std::array<double, kScreenColumns> rowBlanks{};
    for (int row = 0; row < kScreenRows; ++row) {
        for (const auto& [y, rowWeight] : m_rows[static_cast<size_t>(row)]) {
            const std::int16_t* pixels = image.pixels.data() + static_cast<size_t>(y) * m_width;
            for (int column = 0; column < kScreenColumns; ++column) {
                double sum = 0;
                double blanked = 0;
                for (const auto& [x, weight] : m_columns[static_cast<size_t>(column)]) {
                    const std::int16_t value = pixels[x];
                    if (value == SGreyImage::kBlank)
                        blanked += weight;
                    else
                        sum += weight * value;
                }
                rowSums[static_cast<size_t>(column)] = sum;
                rowBlanks[static_cast<size_t>(column)] = blanked;
            }
            const size_t base = static_cast<size_t>(row) * kScreenColumns;
            for (size_t column = 0; column < kScreenColumns; ++column) {
                sums[base + column] += rowWeight * rowSums[column];
                blanks[base + column] += rowWeight * rowBlanks[column];
            }
        }
    }
    for (int column = 0; column < kScreenColumns; ++column)
        screen[column] = 0;
    for (int row = 0; row < kScreenRows; ++row) {
        for (int column = 0; column < kScreenColumns; ++column) {
            const size_t i = static_cast<size_t>(row * kScreenColumns + column);
            const double cover =
                m_columnCover[static_cast<size_t>(column)] * m_rowCover[static_cast<size_t>(row)];
            const double blankPart = std::max(0.0, 1.0 - cover) + blanks[i];
            if (blankPart >= 1.0 - kTolerance)
                continue;
            const double mean = sums[i] + blank * blankPart;
            const bool bright = mean + kTolerance >= m_options.threshold;
            if (bright != m_options.invert)
                screen[column] |= DotMask(row);
        }
    }
}
