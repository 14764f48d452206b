#pragma once

class CViewCore;

// The option effects: transitions written as a run of frames after the
// current screen. Each takes the form into the fields first and makes the
// screen on display current (preview offset 0). None marks the document
// modified. When the run would pass screen 800 they show the capacity message
// and change nothing. They return true: their button handlers record the step
// whatever the effect did.

// 24 frames: the left and right halves slide apart and leave through the
// sides; the last frame is blank.
bool CurtainOpen(CViewCore& view);

// 24 frames: the left and right halves slide into the centre line and vanish
// there; the last frame is blank.
bool CurtainClose(CViewCore& view);

// 16 frames: the top half leaves through the top, the bottom half through the
// bottom; the last frame is blank.
bool TopBottomOpen(CViewCore& view);

// 16 frames: both halves slide towards the line between rows 15 and 16 and
// vanish there; the last frame is blank.
bool TopBottomClose(CViewCore& view);

// 12 frames: each 16 x 16 block of the top half, left to right, makes a full
// counter-clockwise turn in four quarter turns while the rest of the picture
// stands still.
bool RotateTop16(CViewCore& view);

// As RotateTop16, for the blocks of the bottom half.
bool RotateBottom16(CViewCore& view);
