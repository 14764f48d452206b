#include "view/DrawingTools.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Rounds down, also for negative numerators; `denominator` is positive.
int FloorDiv(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// The coordinate nearest to a + (t - ta) * (b - a) / (tb - ta) on the line
// from (ta, a) to (tb, b), ta < tb, halves rounded up.
int Nearest(int ta, int a, int tb, int b, int t) {
    const int span = tb - ta;
    return FloorDiv(2 * a * span + 2 * (t - ta) * (b - a) + span, 2 * span);
}

bool OnScreen(const SCell& cell) {
    return cell.column >= 0 && cell.column < kScreenColumns && cell.row >= 0 &&
           cell.row < kScreenRows;
}

} // namespace

std::vector<SCell> StraightLineCells(SCell from, SCell to) {
    const int dx = to.column - from.column;
    const int dy = to.row - from.row;
    const bool columnMajor = std::abs(dx) >= std::abs(dy);
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<SCell> cells;
    cells.reserve(static_cast<size_t>(steps) + 1);
    if (steps == 0) {
        cells.push_back(from);
        return cells;
    }
    // The line is worked out from its end with the smaller major coordinate,
    // whichever end the drag began at, and listed from `from`.
    const int step = (columnMajor ? dx : dy) > 0 ? 1 : -1;
    const SCell& low = step > 0 ? from : to;
    const SCell& high = step > 0 ? to : from;
    for (int i = 0; i <= steps; ++i) {
        if (columnMajor) {
            const int column = from.column + step * i;
            cells.push_back({column, Nearest(low.column, low.row, high.column, high.row, column)});
        } else {
            const int row = from.row + step * i;
            cells.push_back({Nearest(low.row, low.column, high.row, high.column, row), row});
        }
    }
    return cells;
}

std::vector<SCell> RectangleCells(SCell a, SCell b) {
    const int left = std::min(a.column, b.column);
    const int right = std::max(a.column, b.column);
    const int top = std::min(a.row, b.row);
    const int bottom = std::max(a.row, b.row);
    std::vector<SCell> cells;
    for (int row = top; row <= bottom; ++row) {
        if (row == top || row == bottom) {
            for (int column = left; column <= right; ++column)
                cells.push_back({column, row});
        } else {
            cells.push_back({left, row});
            if (right != left)
                cells.push_back({right, row});
        }
    }
    return cells;
}

CellMask CellsToMask(const std::vector<SCell>& cells) {
    CellMask mask{};
    for (const SCell& cell : cells)
        if (OnScreen(cell))
            SetDot(mask.data(), cell.column, cell.row);
    return mask;
}

CellMask FillRegion(std::span<const Word, kWordsPerScreen> screen, SCell start) {
    CellMask region{};
    if (!OnScreen(start))
        return region;
    const bool lit = TestDot(screen.data(), start.column, start.row);
    // Each cell goes on the stack once: it is marked as it is pushed.
    std::vector<SCell> pending{start};
    pending.reserve(kScreenColumns * kScreenRows);
    SetDot(region.data(), start.column, start.row);
    while (!pending.empty()) {
        const SCell cell = pending.back();
        pending.pop_back();
        const SCell neighbours[] = {{cell.column - 1, cell.row},
                                    {cell.column + 1, cell.row},
                                    {cell.column, cell.row - 1},
                                    {cell.column, cell.row + 1}};
        for (const SCell& next : neighbours) {
            if (!OnScreen(next) || TestDot(region.data(), next.column, next.row) ||
                TestDot(screen.data(), next.column, next.row) != lit)
                continue;
            SetDot(region.data(), next.column, next.row);
            pending.push_back(next);
        }
    }
    return region;
}
