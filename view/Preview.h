#pragma once

class CViewCore;

// The preview: the grid plays the screens after the current one, one every
// 100 ms, and comes back to the current screen.

// The play button: starts the preview timer, or stops it and keeps the screen
// on display (a pause).
bool TogglePreview(CViewCore& view);

// One tick of the preview timer: shows the next screen; after the last screen
// it shows the current screen again and stops the timer.
void PreviewTick(CViewCore& view);
