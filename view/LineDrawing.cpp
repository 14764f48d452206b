#include "view/LineDrawing.h"

#include <cstdlib>

namespace {

// Offsets along the shorter axis for a segment whose longer distance is a
// and shorter distance b (both 2..6, a >= b): kStepTable[a][b] lists the
// offset of the dot in each step 1..a.
constexpr int kStepTable[7][7][6] = {
    {},
    {},
    {{}, {}, {1, 2}},
    {{}, {}, {1, 1, 2}, {1, 2, 3}},
    {{}, {}, {1, 1, 2, 2}, {0, 1, 2, 3}, {1, 2, 3, 4}},
    {{}, {}, {1, 1, 2, 2, 2}, {1, 1, 2, 2, 3}, {1, 2, 2, 3, 4}, {1, 2, 3, 4, 5}},
    {{},
     {},
     {1, 1, 1, 2, 2, 2},
     {0, 1, 1, 2, 2, 3},
     {1, 2, 2, 3, 3, 4},
     {1, 1, 2, 3, 4, 5},
     {1, 2, 3, 4, 5, 6}},
};

int Sign(int value) {
    return value < 0 ? -1 : 1;
}

void AppendHorizontal(std::vector<SCell>& cells, int x0, int y0, int x1) {
    if (x1 >= x0) {
        for (int x = x0; x <= x1; ++x)
            cells.push_back({x, y0});
    } else {
        for (int x = x1; x <= x0 - 1; ++x)
            cells.push_back({x, y0});
    }
}

void AppendVertical(std::vector<SCell>& cells, int y0, int x1, int y1) {
    if (y1 >= y0) {
        // The corner (x1, y0) may already end the horizontal part.
        const bool cornerDrawn = !cells.empty() && cells.back() == SCell{x1, y0};
        for (int y = cornerDrawn ? y0 + 1 : y0; y <= y1; ++y)
            cells.push_back({x1, y});
    } else {
        for (int y = y1; y <= y0 - 1; ++y)
            cells.push_back({x1, y});
    }
}

template <typename Apply>
void ForSegment(Word* screen, int x0, int y0, int x1, int y1, Apply apply) {
    for (const SCell& cell : SegmentCells(x0, y0, x1, y1))
        if (cell.column >= 0 && cell.column < kScreenColumns && cell.row >= 0 &&
            cell.row < kScreenRows)
            apply(screen, cell.column, cell.row);
}

} // namespace

std::vector<SCell> SegmentCells(int x0, int y0, int x1, int y1) {
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const int a = std::abs(dx);
    const int b = std::abs(dy);
    std::vector<SCell> cells;
    if (a == 1 || b == 1 || a > 6 || b > 6) {
        AppendHorizontal(cells, x0, y0, x1);
        AppendVertical(cells, y0, x1, y1);
    } else if (dy == 0) {
        AppendHorizontal(cells, x0, y0, x1);
    } else if (dx == 0) {
        AppendVertical(cells, y0, x1, y1);
    } else if (a >= b) {
        for (int i = 1; i <= a; ++i)
            cells.push_back({x0 + Sign(dx) * i, y0 + Sign(dy) * kStepTable[a][b][i - 1]});
    } else {
        for (int i = 1; i <= b; ++i)
            cells.push_back({x0 + Sign(dx) * kStepTable[b][a][i - 1], y0 + Sign(dy) * i});
    }
    return cells;
}

void SetLine(Word* screen, int x0, int y0, int x1, int y1) {
    ForSegment(screen, x0, y0, x1, y1, SetDot);
}

void ClearLine(Word* screen, int x0, int y0, int x1, int y1) {
    ForSegment(screen, x0, y0, x1, y1, ClearDot);
}
