#pragma once

// What a press on the grid does: the pen lights or clears the dots under the
// pointer as it moves; the line and the rectangle are dragged from the cell
// pressed to the cell released and drawn at the release; the fill changes
// the region of cells around the cell pressed at once.
enum class EDrawingTool { Pen, Line, Rectangle, Fill };
