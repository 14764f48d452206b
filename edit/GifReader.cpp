#include "edit/GifReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The bytes giflib reads from, and how far it has come.
struct SSource {
    std::string_view bytes;
    size_t position = 0;
};

int ReadInput(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<SSource*>(gif->UserData);
    const size_t count =
        std::min(static_cast<size_t>(std::max(length, 0)), source->bytes.size() - source->position);
    std::memcpy(buffer, source->bytes.data() + source->position, count);
    source->position += count;
    return static_cast<int>(count);
}

// Closes the decoder on every way out.
class CGifDecoder {
public:
    explicit CGifDecoder(SSource& source) { m_gif = DGifOpen(&source, ReadInput, &m_openError); }
    ~CGifDecoder() {
        if (m_gif != nullptr)
            DGifCloseFile(m_gif, nullptr);
    }
    CGifDecoder(const CGifDecoder&) = delete;
    CGifDecoder& operator=(const CGifDecoder&) = delete;

    GifFileType* Get() const { return m_gif; }
    int OpenError() const { return m_openError; }

private:
    GifFileType* m_gif = nullptr;
    int m_openError = 0;
};

// Luminance of a colour, as the Rec. 601 weights give it, rounded.
std::int16_t Luminance(const GifColorType& colour) {
    return static_cast<std::int16_t>(
        (299 * colour.Red + 587 * colour.Green + 114 * colour.Blue + 500) / 1000);
}

// How the image after a graphic control extension is drawn and disposed of.
struct SControl {
    int disposal = DISPOSAL_UNSPECIFIED;
    int transparent = NO_TRANSPARENT_COLOR;
};

// The rows of an image in the order they are stored: interlaced images
// store every 8th row from 0, every 8th from 4, every 4th from 2, then
// every 2nd from 1.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(static_cast<size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            order.push_back(y);
    return order;
}

// Skips the compressed data of an image without decoding it.
bool SkipImageData(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) != GIF_OK)
        return false;
    while (block != nullptr)
        if (DGifGetCodeNext(gif, &block) != GIF_OK)
            return false;
    return true;
}

// The picture of a GIF: its logical screen, grown to its first image
// (`first`) when that is larger or the screen has no size. TooLarge or
// Damaged when it is beyond the limit or empty.
EGifReadError PictureSize(const GifFileType* gif, const GifImageDesc& first, int& width,
                          int& height) {
    width = std::max(gif->SWidth, first.Left + first.Width);
    height = std::max(gif->SHeight, first.Top + first.Height);
    const long long pixels = static_cast<long long>(width) * height;
    if (pixels > kMaxGifCanvasPixels)
        return EGifReadError::TooLarge;
    return pixels == 0 ? EGifReadError::Damaged : EGifReadError::None;
}

// The work of one frame whose image is `desc` on a picture of `pixels`.
long long FrameWork(const GifImageDesc& desc, long long pixels) {
    return static_cast<long long>(desc.Width) * desc.Height + pixels;
}

// Skips the blocks of the extension whose first block is `block`.
bool SkipExtension(GifFileType* gif, GifByteType* block) {
    while (block != nullptr)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            return false;
    return true;
}

// Opens the GIF in `bytes` and walks its records to the trailer. At each
// image descriptor `image(gif, read, stop)` reads the image from its
// descriptor on, `read` following the bytes read so far; it may set `stop`
// to end the walk early, which is no error. Every extension's code and first
// block go to `extension`, and its other blocks are skipped. The first error
// ends the walk.
template <class FImage, class FExtension>
EGifReadError WalkGif(std::string_view bytes, FImage&& image, FExtension&& extension) {
    // giflib looks at "GIF" alone and calls a file too short for the
    // signature damaged: neither is a GIF.
    if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a")
        return EGifReadError::NotGif;
    SSource source{bytes};
    CGifDecoder decoder(source);
    GifFileType* gif = decoder.Get();
    if (gif == nullptr)
        return decoder.OpenError() == D_GIF_ERR_NOT_GIF_FILE ? EGifReadError::NotGif
                                                             : EGifReadError::Damaged;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) != GIF_OK)
            return EGifReadError::Damaged;
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE: {
            bool stop = false;
            if (const EGifReadError error = image(gif, source.position, stop);
                error != EGifReadError::None || stop)
                return error;
            break;
        }
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK)
                return EGifReadError::Damaged;
            extension(code, block);
            if (!SkipExtension(gif, block))
                return EGifReadError::Damaged;
            break;
        }
        case TERMINATE_RECORD_TYPE:
            return EGifReadError::None;
        default:
            return EGifReadError::Damaged;
        }
    }
}

class CComposer {
public:
    explicit CComposer(const std::function<bool(const SGreyImage&)>& frame) : m_frame(frame) {}

    // Reads the image whose descriptor comes next in `gif`. Sets `stop` when
    // the frame callback wants no more.
    EGifReadError ReadImage(GifFileType* gif, const SControl& control, bool& stop) {
        m_gif = gif;
        if (DGifGetImageDesc(m_gif) != GIF_OK)
            return EGifReadError::Damaged;
        const GifImageDesc& desc = m_gif->Image;
        const long long area = static_cast<long long>(desc.Width) * desc.Height;
        if (m_image.pixels.empty()) {
            if (const EGifReadError error = PictureSize(m_gif, desc, m_image.width, m_image.height);
                error != EGifReadError::None)
                return error;
            m_image.pixels.assign(static_cast<size_t>(m_image.width) * m_image.height,
                                  SGreyImage::kBlank);
        }
        m_work += FrameWork(desc, static_cast<long long>(m_image.pixels.size()));
        if (m_work > kMaxGifWorkPixels)
            return EGifReadError::TooLarge;
        if (control.disposal == DISPOSE_PREVIOUS)
            m_saved = m_image.pixels;
        if (area == 0) {
            if (!SkipImageData(m_gif))
                return EGifReadError::Damaged;
        } else if (!DrawImage(desc, control.transparent)) {
            return EGifReadError::Damaged;
        }
        stop = !m_frame(m_image);
        Dispose(desc, control.disposal);
        return EGifReadError::None;
    }

private:
    bool DrawImage(const GifImageDesc& desc, int transparent) {
        std::array<std::int16_t, 256> luminance{}; // outside the table: black
        const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : m_gif->SColorMap;
        if (map != nullptr)
            for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
                luminance[static_cast<size_t>(i)] = Luminance(map->Colors[i]);
        m_line.resize(static_cast<size_t>(desc.Width));
        // Columns of the image that fall inside the picture.
        const int first = std::max(0, -desc.Left);
        const int last = std::min(desc.Width, m_image.width - desc.Left);
        for (const int y : StoredRowOrder(desc.Height, desc.Interlace)) {
            if (DGifGetLine(m_gif, m_line.data(), desc.Width) != GIF_OK)
                return false;
            const int row = desc.Top + y;
            if (row < 0 || row >= m_image.height)
                continue;
            std::int16_t* out =
                m_image.pixels.data() + static_cast<size_t>(row) * m_image.width + desc.Left;
            for (int x = first; x < last; ++x) {
                const int index = m_line[static_cast<size_t>(x)];
                if (index != transparent)
                    out[x] = luminance[static_cast<size_t>(index)];
            }
        }
        return true;
    }

    void Dispose(const GifImageDesc& desc, int disposal) {
        if (disposal == DISPOSE_PREVIOUS) {
            m_image.pixels.swap(m_saved);
            return;
        }
        if (disposal != DISPOSE_BACKGROUND)
            return;
        // Viewers clear to transparent rather than to the background colour.
        const int left = std::max(0, desc.Left);
        const int right = std::min(m_image.width, desc.Left + desc.Width);
        const int top = std::max(0, desc.Top);
        const int bottom = std::min(m_image.height, desc.Top + desc.Height);
        for (int row = top; row < bottom; ++row)
            for (int x = left; x < right; ++x)
                m_image.pixels[static_cast<size_t>(row) * m_image.width + x] = SGreyImage::kBlank;
    }

    GifFileType* m_gif = nullptr;
    const std::function<bool(const SGreyImage&)>& m_frame;
    SGreyImage m_image;
    std::vector<std::int16_t> m_saved;
    std::vector<GifPixelType> m_line;
    long long m_work = 0;
};

} // namespace

EGifReadError ReadGifFrames(std::string_view bytes,
                            const std::function<bool(const SGreyImage&)>& frame,
                            const std::function<bool(size_t read, size_t total)>& progress) {
    CComposer composer(frame);
    SControl control;
    return WalkGif(
        bytes,
        [&](GifFileType* gif, const size_t& read, bool& stop) {
            if (const EGifReadError error = composer.ReadImage(gif, control, stop);
                error != EGifReadError::None)
                return error;
            // A control extension governs the one image after it.
            control = SControl{};
            stop = stop || (progress && !progress(read, bytes.size()));
            return EGifReadError::None;
        },
        [&](int code, const GifByteType* block) {
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
                GraphicsControlBlock gcb{};
                if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) {
                    control.disposal = gcb.DisposalMode;
                    control.transparent = gcb.TransparentColor;
                }
            }
        });
}

EGifReadError ScanGif(std::string_view bytes, int maxFrames, SGifOutline& outline) {
    outline = SGifOutline{};
    return WalkGif(
        bytes,
        [&](GifFileType* gif, const size_t&, bool& stop) {
            if (DGifGetImageDesc(gif) != GIF_OK)
                return EGifReadError::Damaged;
            if (outline.frames == 0)
                if (const EGifReadError error =
                        PictureSize(gif, gif->Image, outline.width, outline.height);
                    error != EGifReadError::None)
                    return error;
            outline.work +=
                FrameWork(gif->Image, static_cast<long long>(outline.width) * outline.height);
            if (outline.work > kMaxGifWorkPixels)
                return EGifReadError::TooLarge;
            // The compressed data is passed over as it is, block by block.
            if (!SkipImageData(gif))
                return EGifReadError::Damaged;
            stop = ++outline.frames > maxFrames;
            return EGifReadError::None;
        },
        [](int, const GifByteType*) {});
}
