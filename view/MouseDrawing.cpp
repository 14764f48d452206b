#include "view/MouseDrawing.h"

#include "store/CommandIds.h"
#include "store/Platform.h"
#include "store/ViewCore.h"
#include "view/LineDrawing.h"
#include "view/ShapeDrawing.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCellPitch = 6;
constexpr int kSplitDistance = 6;

bool InInnerArea(const CRect& grid, int x, int y) {
    return grid.left < x && grid.top < y && x < grid.right - 1 && y < grid.bottom - 2;
}

// Column and row of a point right of and below the grid's top-left corner,
// as unsigned 16-bit values.
SCell CellAt(const CRect& grid, int x, int y) {
    return {static_cast<unsigned short>((x - grid.left) / kCellPitch),
            static_cast<unsigned short>((y - grid.top) / kCellPitch)};
}

bool IsOnCells(const SCell& cell) {
    return cell.column < kScreenColumns && cell.row < kScreenRows;
}

// Draws the path from the last drawn cell to `to` with `line`, split at a
// middle cell when it spans more than six columns.
void DrawPath(Word* screen, const SCell& from, const SCell& to,
              void (*line)(Word*, int, int, int, int)) {
    if (std::abs(to.column - from.column) > kSplitDistance) {
        const int k = from.row >= to.row ? 1 : 0;
        const SCell middle{(from.column + to.column) / 2, (from.row + to.row + k) / 2};
        line(screen, from.column, from.row, middle.column, middle.row);
        line(screen, middle.column, middle.row, to.column, to.row);
    } else {
        line(screen, from.column, from.row, to.column, to.row);
    }
}

} // namespace

std::string CellStatusText(int column, int row) {
    char text[32];
    std::snprintf(text, sizeof text, "(%3d,%3d)", column, row);
    return text;
}

void OnButtonDown(CViewCore& view, bool leftButton, unsigned /*keyFlags*/, int x, int y) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    view.UpdateData(true);
    s.m_previewOffset = 0;
    const CRect& grid = s.m_gridRect;
    if (InInnerArea(grid, x, y)) {
        platform.SetCursorShape(leftButton ? ECursorShape::SetDot : ECursorShape::ClearDot);
        s.m_cursorClip = CRect{grid.left + 1, grid.top + 1, grid.right - 2, grid.bottom - 2};
        platform.ClipCursor(s.m_cursorClip);
    }
    if (!(grid.left < x && grid.top < y))
        return;
    const SCell cell = CellAt(grid, x, y);
    if (!IsOnCells(cell))
        return;
    switch (s.m_drawingTool) {
    case EDrawingTool::Pen:
        break;
    case EDrawingTool::Line:
    case EDrawingTool::Rectangle:
        // The drag holds the mouse as the pen's does; the shape is drawn at
        // the release.
        BeginShape(view, leftButton, cell);
        platform.SetCapture();
        s.m_lastColumn = cell.column;
        s.m_lastRow = cell.row;
        return;
    case EDrawingTool::Fill:
        // Done at once: no drag follows, and the press takes no capture.
        FillAt(view, leftButton, cell);
        return;
    }
    Word* screen = s.CurrentScreenWords().data();
    if (leftButton)
        SetDot(screen, cell.column, cell.row);
    else
        ClearDot(screen, cell.column, cell.row);
    platform.DrawDot(cell.column, cell.row, leftButton);
    platform.SetCapture();
    view.SetModifiedFlag();
    s.m_lastColumn = cell.column;
    s.m_lastRow = cell.row;
}

void OnButtonUp(CViewCore& view) {
    CPlatform& platform = view.Platform();
    FinishShape(view);
    platform.ClipCursor(std::nullopt);
    if (platform.HasCapture())
        platform.ReleaseCapture();
}

void OnMouseMove(CViewCore& view, unsigned keyFlags, int x, int y) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    const CRect& grid = s.m_gridRect;
    const bool inner = InInnerArea(grid, x, y);
    if (inner) {
        const SCell cell = CellAt(grid, x, y);
        platform.SetStatusText(CellStatusText(cell.column, cell.row));
    } else {
        platform.SetStatusText(kIdleStatusText);
        view.SyncDocument();
    }
    if (!platform.HasCapture()) {
        // A shape whose release went elsewhere is not drawn.
        CancelShape(view);
        return;
    }
    if (inner) {
        if (keyFlags == MK_LBUTTON)
            platform.SetCursorShape(ECursorShape::SetDot);
        else if (keyFlags == MK_RBUTTON)
            platform.SetCursorShape(ECursorShape::ClearDot);
    }
    if (s.m_shapeActive) {
        // The shape follows the pointer whatever the buttons; it repaints
        // the grid itself when it changes.
        if (grid.left < x && grid.top < y && IsOnCells(CellAt(grid, x, y)))
            MoveShape(view, CellAt(grid, x, y));
        return;
    }
    if (grid.left < x && grid.top < y) {
        const SCell to = CellAt(grid, x, y);
        if (!IsOnCells(to))
            return;
        const SCell from{s.m_lastColumn, s.m_lastRow};
        if (to == from)
            return;
        Word* screen = s.CurrentScreenWords().data();
        if (keyFlags == MK_LBUTTON)
            DrawPath(screen, from, to, SetLine);
        else if (keyFlags == MK_RBUTTON)
            DrawPath(screen, from, to, ClearLine);
        s.m_lastColumn = to.column;
        s.m_lastRow = to.row;
    }
    view.RepaintGrid();
}
