#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// A frame of a GIF as a viewer shows it, in grey: the luminance (0..255) of
// every pixel, row by row, or kBlank where nothing has been drawn yet or a
// frame was cleared (the transparent background).
struct SGreyImage {
    static constexpr std::int16_t kBlank = -1;
    int width = 0;
    int height = 0;
    std::vector<std::int16_t> pixels;
};

// Limits of what is decoded, so that a small file cannot claim a huge
// picture or endless work: the picture's pixels, and the work of all frames
// together, counted in pixels: each image's own pixels, and the whole
// picture once more for every frame, which is composed and handed out
// whole however small its image is.
inline constexpr long long kMaxGifCanvasPixels = 4096LL * 4096;
inline constexpr long long kMaxGifWorkPixels = 1LL << 31;

enum class EGifReadError {
    None,
    NotGif,   // the data does not start as a GIF
    Damaged,  // cut short or broken inside
    TooLarge, // beyond the limits above
};

// What a GIF holds, found without decoding its images.
struct SGifOutline {
    int frames = 0;
    int width = 0; // the picture, as ReadGifFrames makes it
    int height = 0;
    long long work = 0; // counted as for kMaxGifWorkPixels
};

// Walks the records of the GIF in `bytes` without decoding a pixel and
// describes it in `outline`; stops once it has found more than `maxFrames`
// frames. Gives the errors ReadGifFrames would give for the file's
// structure and limits (damage inside an image's compressed data shows only
// when it is decoded), so that a file can be refused before any frame is
// decoded.
EGifReadError ScanGif(std::string_view bytes, int maxFrames, SGifOutline& outline);

// Reads the GIF in `bytes` and hands every frame to `frame`, in order,
// composed as a viewer shows the animation: each image drawn at its place
// over the ones before (pixels of its transparent colour leave what is
// there; indices outside its colour table draw black), then disposed of as
// it asks (left, cleared to blank, or the picture before it restored). The
// picture is the GIF's logical screen, grown to the first image if that is
// larger. `frame` returns false to stop reading early, which is no error.
// `progress`, when set, is told how many of the bytes were read so far and
// may return false to stop as well.
EGifReadError ReadGifFrames(std::string_view bytes,
                            const std::function<bool(const SGreyImage&)>& frame,
                            const std::function<bool(size_t read, size_t total)>& progress = {});
