#pragma once

#include "edit/GifReader.h"
#include "store/ScreenGeometry.h"

#include <utility>
#include <vector>

// How a picture becomes 48 x 32 dots: `Stretch` fills the screen with it,
// `Contain` keeps its shape and leaves a border of unlit dots.
enum class EFit { Stretch, Contain };

inline constexpr int kDefaultThreshold = 128;

// A dot is lit where the mean luminance of the part of the picture it
// covers is at least `threshold` (0..255); `invert` lights the others
// instead. Blank parts of the picture (transparent, or the border of
// Contain) always give unlit dots.
struct SDotOptions {
    int threshold = kDefaultThreshold;
    bool invert = false;
    EFit fit = EFit::Stretch;
};

// Turns pictures of one size into screens.
class CDotConverter {
public:
    // A converter for pictures of `width` x `height` pixels (both above 0).
    CDotConverter(int width, int height, const SDotOptions& options);

    // Writes the 48 column words of the screen that `image` (of the size
    // given above) makes into `screen`.
    void Convert(const SGreyImage& image, Word* screen) const;

private:
    // The source pixels a dot column or row covers, with the part of the
    // dot each one fills.
    using Weights = std::vector<std::pair<int, double>>;
    static std::vector<Weights> AxisWeights(int cells, int length, double span);

    SDotOptions m_options;
    int m_width;
    std::vector<Weights> m_columns;
    std::vector<Weights> m_rows;
    // How much of each dot column and row the picture fills (1 inside it).
    std::vector<double> m_columnCover;
    std::vector<double> m_rowCover;
};
