#pragma once

#include "store/ScreenGeometry.h"
#include "view/LineDrawing.h"

#include <array>
#include <span>
#include <vector>

// The shapes of the line, rectangle and fill tools on the 48 x 32 cells of a
// screen. Pure geometry: nothing here reads or writes the editing state.

// A set of cells as a screen's 48 column words: a set bit for each cell.
using CellMask = std::array<Word, kWordsPerScreen>;

// The cells of the straight line from `from` to `to`, both ends included, in
// order from `from`: one cell in each column between them (in each row for a
// line steeper than 45 degrees), the one nearest the ideal line. Where two
// cells are equally near, the one with the larger row (or column) number
// wins, so that a line covers the same cells whichever end it starts from.
// Ends off the screen give cells off the screen; CellsToMask drops them.
std::vector<SCell> StraightLineCells(SCell from, SCell to);

// The outline of the rectangle with opposite corners `a` and `b`: each cell of
// its four sides once, row by row from the top, left to right. A rectangle
// one cell high or wide is a straight line; equal corners give that cell.
std::vector<SCell> RectangleCells(SCell a, SCell b);

// The cells on the screen among `cells`, as a mask.
CellMask CellsToMask(const std::vector<SCell>& cells);

// The region a fill from `start` changes: every cell in the state of `start`
// (lit or unlit) that a path of such cells joins to it through their sides.
// An empty mask when `start` lies off the screen.
CellMask FillRegion(std::span<const Word, kWordsPerScreen> screen, SCell start);
