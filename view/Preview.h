#pragma once

#include <array>

class CViewCore;

// The preview: the grid plays the screens after the current one, one every
// 100 ms unless another speed was chosen, and comes back to the current
// screen.

// The speeds "再生速度" offers, in milliseconds a screen.
inline constexpr std::array<int, 4> kPreviewIntervals{50, 100, 200, 500};

// "再生速度": one screen every `intervalMs` from now on; a running preview's
// timer starts again at the new speed. A value that is not one of
// kPreviewIntervals changes nothing and returns false.
bool SetPreviewInterval(CViewCore& view, int intervalMs);

// The play button: starts the preview timer (at the interval of the state),
// or stops it and keeps the screen
// on display (a pause).
bool TogglePreview(CViewCore& view);

// One tick of the preview timer: shows the next screen; after the last screen
// it shows the current screen again and stops the timer.
void PreviewTick(CViewCore& view);
