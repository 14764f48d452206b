#pragma once

class CViewCore;

// Copy, cut, paste and reverse of the current bank, through the view's own
// screen clip (one screen) and range clip (up to 800 screens). Each starts by
// taking the form and ending a preview. The plain forms act on the current
// screen; the range forms on the current screen to the last. A click repaints
// the grid after cut, paste and reverse and marks the document modified after
// reverse; the macro player repaints after all eight and marks nothing.
// They return whether the step is to be recorded.

// Copies the current screen into the screen clip.
bool CopyScreen(CViewCore& view);

// Copies the current screen to the last into the range clip, which then
// holds that many screens (none when the current screen lies past the last);
// older screens beyond them stay.
bool CopyRange(CViewCore& view);

// Copies the current screen into the screen clip and blanks it. The screen
// count does not change.
bool CutScreen(CViewCore& view);

// CopyRange, then blanks the screens it took. The screen count does not change.
bool CutRange(CViewCore& view);

// Writes the screen clip over the current screen.
bool PasteScreen(CViewCore& view);

// Writes the range clip's screens from the current screen on, raising the
// screen count when they reach past it. When they would pass screen 800 it
// shows the capacity message, changes nothing and returns false.
bool PasteRange(CViewCore& view);

// Inverts every dot of the current screen.
bool ReverseScreen(CViewCore& view);

// Inverts every dot of the current screen to the last, and makes the range
// clip hold that many screens without writing any of them.
bool ReverseRange(CViewCore& view);
