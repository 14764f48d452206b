#pragma once

#include <string>

class CViewCore;

// Drawing dots with the mouse on the grid. Points are in view client pixels;
// `keyFlags` are the MK_* flags that come with the message.

// A button press: the left button lights, the right button clears. Inside
// the grid the pointer gets the pencil or eraser and is confined to the grid.
// On a cell, with the pen, the dot changes at once, the mouse is captured for
// the drag and the document is marked modified; with the line or rectangle
// the shape begins there and the mouse is captured; with the fill the region
// around the cell changes at once, without a capture (ShapeDrawing.h).
void OnButtonDown(CViewCore& view, bool leftButton, unsigned keyFlags, int x, int y);

// A button release: draws the line or rectangle being dragged, then frees
// the pointer and the capture.
void OnButtonUp(CViewCore& view);

// A mouse move: shows the cell under the pointer in the status bar (or the
// idle text and a copy of the bank into the document outside the grid), and
// during a drag lights (left button alone) or clears (right button alone) the
// path from the last drawn cell, or moves the end of the line or rectangle
// being dragged to the cell under the pointer. Without the capture a shape
// still being dragged is dropped: its release went elsewhere.
void OnMouseMove(CViewCore& view, unsigned keyFlags, int x, int y);

// The status text over the grid: "(%3d,%3d)" of column and row.
std::string CellStatusText(int column, int row);

// The status text outside the grid: the idle word and seven blanks.
inline constexpr const char* kIdleStatusText = "ﾚﾃﾞｨ       ";
