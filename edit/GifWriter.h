#pragma once

#include "edit/ExportProgress.h"
#include "edit/ScreenRenderer.h"

#include <string>

// Frame delays an animated GIF accepts, in milliseconds. GIF counts in
// hundredths of a second, and browsers show anything under 20 ms at 100 ms.
inline constexpr int kMinGifDelayMs = 20;
inline constexpr int kMaxGifDelayMs = 655350;
inline constexpr int kDefaultGifDelayMs = 100;

// Encodes `count` screens (count x 48 column words from `screens`) as an
// animated GIF that loops forever: one frame per screen drawn by a renderer
// of `options`, each shown `delayMs` (rounded to 10 ms), one global palette
// of two or three colours, and every frame after the first only as the
// smallest rectangle that changed. `progress` is told after each screen.
// On Done `bytes` holds the file; otherwise it is left empty.
EEncodeStatus EncodeGifAnimation(const Word* screens, int count, const SRenderOptions& options,
                                 int delayMs, const FProgress& progress, std::string& bytes);
