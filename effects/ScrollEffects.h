#pragma once

class CViewCore;

// The screen-editing effects of the current bank: the four scrolls, which
// write a run of frames after the current screen, the front/back reversal of
// the screens from the current one to the last, and the copy of the current
// screen onto every screen. Each takes the form into the fields first and
// makes the screen on display current (preview offset 0), and marks the
// document modified when it changed the bank. They return true: their button
// handlers record the step whatever the effect did.

// Writes the 32 screens after the current one with the picture moved up 1 to
// 31 rows and a blank last screen. Above screen 800 it shows the capacity
// message and changes nothing.
bool ScrollUp(CViewCore& view);

// As ScrollUp, with the picture moving down.
bool ScrollDown(CViewCore& view);

// Writes the 16 screens after the current one with the picture moved 1 to 16
// columns left. Above screen 800 it shows the capacity message and changes
// nothing.
bool ScrollLeft(CViewCore& view);

// As ScrollLeft, with the picture moving right.
bool ScrollRight(CViewCore& view);

// Reverses the order of the screens from the current one to the last in use;
// with the current screen beyond the last one no screen moves. The counts,
// the current screen and the controls stay as they are. Cannot fail.
bool ReverseOrder(CViewCore& view);

// Copies the current screen onto every screen in use of the current bank. The
// grid is not repainted (the screen on display keeps its picture). Cannot
// fail.
bool CopyToAll(CViewCore& view);

// The front/back reversal button: ReverseOrder and its step; while recording
// the last macro line is then selected and the step count shown again.
void OnReverseOrderButton(CViewCore& view);
