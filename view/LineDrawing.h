#pragma once

#include "store/ScreenGeometry.h"

#include <vector>

// A cell of the grid: column 0..47, row 0..31.
struct SCell {
    int column;
    int row;
    bool operator==(const SCell&) const = default;
};

// The cells a drag from (x0, y0) to (x1, y1) lights or clears, in drawing
// order. Short diagonal segments (both distances 2..6) follow the step table
// and leave out the start cell; all others take the L-route along row y0 and
// then column x1. Every cell lies in the bounding box of the two cells.
std::vector<SCell> SegmentCells(int x0, int y0, int x1, int y1);

// Lights the dots of the segment in the 48-word screen.
void SetLine(Word* screen, int x0, int y0, int x1, int y1);

// Clears exactly the dots SetLine would light.
void ClearLine(Word* screen, int x0, int y0, int x1, int y1);
