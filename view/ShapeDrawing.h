#pragma once

#include "view/LineDrawing.h"

class CViewCore;

// The drawing tools on the current screen: choosing one, and what the mouse
// handlers (MouseDrawing.h) do with the line, the rectangle and the fill.
// Like the pen, none of it is a macro step.

// "ペン", "直線", "四角形", "塗りつぶし": the tool the next press on the grid
// draws with. A line or rectangle already being dragged is finished with
// the tool it began with.
bool SelectPenTool(CViewCore& view);
bool SelectLineTool(CViewCore& view);
bool SelectRectangleTool(CViewCore& view);
bool SelectFillTool(CViewCore& view);

// A press of the line or rectangle tool on `cell`: the shape begins there,
// one cell long, lighting (`lights`) or clearing. Nothing is written until
// FinishShape; the grid shows the shape meanwhile.
void BeginShape(CViewCore& view, bool lights, SCell cell);

// The pointer is over `cell` during the drag: the shape now ends there. The
// grid is repainted when the shape changed.
void MoveShape(CViewCore& view, SCell cell);

// The release: the shape is drawn into the current screen, which is marked
// changed when a dot changed. Does nothing when no shape is being dragged.
void FinishShape(CViewCore& view);

// Drops a shape being dragged without drawing it (its release never came).
void CancelShape(CViewCore& view);

// A press of the fill tool on `cell`: the region of cells in that cell's
// state around it is lit (`lights`) or cleared in the current screen, which
// is marked changed when a dot changed.
void FillAt(CViewCore& view, bool lights, SCell cell);
