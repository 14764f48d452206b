#pragma once

#include "edit/DotConversion.h"
#include "edit/ExportProgress.h"
#include "edit/GifReader.h"

#include <string>
#include <string_view>

class CPlatform;
class CViewCore;

// The largest GIF file the import reads.
inline constexpr size_t kMaxGifFileBytes = 64u << 20;

// The messages of a GIF that cannot be imported (caption kErrorCaption).
inline constexpr const char* kNotGifText = "GIFファイルではありません。";
inline constexpr const char* kDamagedGifText = "GIFファイルが壊れています。";
inline constexpr const char* kLargeGifText = "GIFファイルの画像が大きすぎます。";
inline constexpr const char* kEmptyGifText = "GIFファイルに画像がありません。";

// Reads the GIF file at `path` into `bytes`. A file that cannot be read, or
// is larger than kMaxGifFileBytes, gets its message and false.
bool ReadGifFile(CPlatform& platform, const std::string& path, std::string& bytes);

// The first frame of the GIF in `bytes`, for a preview. A file that is no
// GIF, is damaged or has no image gets its message and false.
bool FirstGifFrame(CPlatform& platform, std::string_view bytes, SGreyImage& image);

// Whether the GIF in `bytes` can be imported into the bank on display from
// the screen on display on, found without decoding a frame: it must be a
// GIF, whole in its structure, within the limits of the decoder
// (kMaxGifWorkPixels: a large picture with many frames is refused at once),
// hold a frame and fit below screen 800. Shows the message of the first
// that fails (the capacity message for too many frames) and returns false.
// Nothing is changed.
bool CheckGifImport(CViewCore& view, std::string_view bytes);

// GIF import: writes every frame of the GIF in `bytes`, turned into dots by
// `options`, into the current bank from the screen on display c on (the
// current screen, or during a preview the one the preview shows), so that
// screens c .. c + frames - 1 lose what they held. Screen c becomes current,
// the screen count grows to c + frames - 1 when it is smaller, the controls,
// the scroll bar's range and the grid are refreshed and the document is
// marked modified. Refused with its message and nothing changed: what
// CheckGifImport refuses (before any frame is converted), and a file whose
// image data is damaged. `progress` is told how many bytes of
// the file were read and may cancel, which changes nothing either. Returns
// whether the screens were written.
bool ImportGif(CViewCore& view, std::string_view bytes, const SDotOptions& options,
               const FProgress& progress = {});

// ReadGifFile, then ImportGif.
bool ImportGifFile(CViewCore& view, const std::string& path, const SDotOptions& options,
                   const FProgress& progress = {});
