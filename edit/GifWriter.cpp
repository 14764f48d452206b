#include "edit/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace {

// giflib writes through this into the std::string behind UserData.
int AppendOutput(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    return length;
}

// Closes the encoder whatever happens; EGifCloseFile writes the trailer.
class CGifEncoder {
public:
    explicit CGifEncoder(std::string& out) {
        int error = 0;
        m_gif = EGifOpen(&out, AppendOutput, &error);
    }
    ~CGifEncoder() {
        if (m_gif != nullptr)
            EGifCloseFile(m_gif, nullptr);
    }
    CGifEncoder(const CGifEncoder&) = delete;
    CGifEncoder& operator=(const CGifEncoder&) = delete;

    GifFileType* Get() const { return m_gif; }
    // Writes the trailer; false when that failed.
    bool Close() {
        GifFileType* gif = m_gif;
        m_gif = nullptr;
        return EGifCloseFile(gif, nullptr) == GIF_OK;
    }

private:
    GifFileType* m_gif = nullptr;
};

// The rectangle of dots in which two screens differ, in dots.
struct SDotRect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
};

SDotRect ChangedDots(const Word* before, const Word* after) {
    SDotRect rect{kScreenColumns, kScreenRows, 0, 0};
    Word rows = 0;
    for (int column = 0; column < kScreenColumns; ++column) {
        const Word changed = before[column] ^ after[column];
        if (changed == 0)
            continue;
        rect.left = std::min(rect.left, column);
        rect.right = column + 1;
        rows |= changed;
    }
    if (rows != 0) {
        // Bit 31 is the top row.
        rect.top = std::countl_zero(rows);
        rect.bottom = kScreenRows - std::countr_zero(rows);
    }
    return rect;
}

// The NETSCAPE2.0 block that makes viewers loop the animation forever.
bool PutLoopForever(GifFileType* gif) {
    static const GifByteType kName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoop[] = {1, 0, 0}; // sub-block 1, loop count 0 = forever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof kName, kName) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutDelay(GifFileType* gif, int hundredths) {
    GraphicsControlBlock control{};
    // Each frame paints over the last one and stays: the next frame then
    // only needs the part that changed.
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = hundredths;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
           GIF_OK;
}

// Writes the pixel rectangle (left, top, width, height) of the `stride`-wide
// picture as one image.
bool PutFrame(GifFileType* gif, std::vector<std::uint8_t>& picture, int stride, int left, int top,
              int width, int height) {
    if (EGifPutImageDesc(gif, left, top, width, height, false, nullptr) != GIF_OK)
        return false;
    for (int y = top; y < top + height; ++y) {
        GifPixelType* row = picture.data() + static_cast<size_t>(y) * stride + left;
        if (EGifPutLine(gif, row, width) != GIF_OK)
            return false;
    }
    return true;
}

} // namespace

EEncodeStatus EncodeGifAnimation(const Word* screens, int count, const SRenderOptions& options,
                                 int delayMs, const FProgress& progress, std::string& bytes) {
    bytes.clear();
    const CScreenRenderer renderer(options);
    const int width = renderer.Width();
    const int height = renderer.Height();
    const int scale = renderer.Scale();
    const int hundredths = (std::clamp(delayMs, kMinGifDelayMs, kMaxGifDelayMs) + 5) / 10;

    std::string out;
    CGifEncoder encoder(out);
    GifFileType* gif = encoder.Get();
    if (gif == nullptr)
        return EEncodeStatus::Failed;
    EGifSetGifVersion(gif, true);

    // A colour table has a power of two entries: three colours take four.
    // The renderer has at most four. The loop runs over the fixed table, so
    // that no compiler suspects a write past its end.
    const std::vector<SRgb> palette = renderer.Palette();
    const int tableSize = palette.size() <= 2 ? 2 : 4;
    std::array<GifColorType, 4> colours{};
    for (size_t i = 0; i < colours.size(); ++i)
        if (i < palette.size())
            colours[i] = GifColorType{palette[i].r, palette[i].g, palette[i].b};
    ColorMapObject* map = GifMakeMapObject(tableSize, colours.data());
    if (map == nullptr)
        return EEncodeStatus::Failed;
    // The screen descriptor keeps a copy of the map.
    const bool described =
        EGifPutScreenDesc(gif, width, height, tableSize == 2 ? 1 : 2, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!described || !PutLoopForever(gif))
        return EEncodeStatus::Failed;

    std::vector<std::uint8_t> picture(static_cast<size_t>(width) * height);
    for (int n = 0; n < count; ++n) {
        const Word* screen = screens + static_cast<size_t>(n) * kWordsPerScreen;
        renderer.RenderScreen(screen, picture.data(), static_cast<size_t>(width));
        SDotRect dots{0, 0, kScreenColumns, kScreenRows};
        if (n > 0)
            dots = ChangedDots(screen - kWordsPerScreen, screen);
        bool written = PutDelay(gif, hundredths);
        if (dots.Empty()) {
            // Every frame is a frame of its own, so that it keeps its time
            // and a viewer counts it: one unchanged pixel stands for it.
            written = written && PutFrame(gif, picture, width, 0, 0, 1, 1);
        } else {
            written = written &&
                      PutFrame(gif, picture, width, dots.left * scale, dots.top * scale,
                               (dots.right - dots.left) * scale, (dots.bottom - dots.top) * scale);
        }
        if (!written)
            return EEncodeStatus::Failed;
        if (progress && !progress(n + 1, count))
            return EEncodeStatus::Cancelled;
    }
    if (!encoder.Close())
        return EEncodeStatus::Failed;
    bytes = std::move(out);
    return EEncodeStatus::Done;
}
