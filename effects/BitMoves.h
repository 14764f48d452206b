#pragma once

class CViewCore;

// The bit moves: the picture of the current screen moves inside that screen.
// Dots moved past an edge are dropped and the opened row or columns are off;
// no other screen, no counter and no control changes, and the preview offset
// is left alone (during a preview the current screen moves, not the one on
// display). They cannot fail and return true: their handlers record the step.

// One row up; row 0 is dropped. Repaints; the document is not marked (the
// scroll bar handler does that).
bool BitUp(CViewCore& view);

// One row down; row 31 is dropped. Repaints; the document is not marked.
bool BitDown(CViewCore& view);

// One column left; column 0 is dropped. Repaints; the document is not marked.
bool BitLeft(CViewCore& view);

// One column right; column 47 is dropped. Repaints; the document is not
// marked.
bool BitRight(CViewCore& view);

// 16 columns left; columns 0 to 15 are dropped. Repaints and marks the
// document modified, in playback too.
bool MoveLeft16(CViewCore& view);

// 16 columns right; columns 32 to 47 are dropped. Repaints and marks the
// document modified, in playback too.
bool MoveRight16(CViewCore& view);

// The vertical bit-move scroll bar (control 1032) sent `code` (SB_*): the up
// arrow moves up and records its step, the down arrow moves down and records
// its step. Every notification, an arrow or not, then repaints and marks the
// document modified. The thumb position means nothing.
void OnBitVScroll(CViewCore& view, int code, int thumbPosition);

// The horizontal bit-move scroll bar (control 1031), as OnBitVScroll with the
// left and right arrows moving one column.
void OnBitHScroll(CViewCore& view, int code, int thumbPosition);
