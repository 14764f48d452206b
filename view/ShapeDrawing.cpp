#include "view/ShapeDrawing.h"

#include "store/ViewCore.h"
#include "view/DrawingTools.h"

#include <utility>

namespace {

bool SelectTool(CViewCore& view, EDrawingTool tool) {
    view.Store().m_drawingTool = tool;
    return true;
}

// The cells of the shape from the cell pressed to the cell under the pointer.
CellMask ShapeMask(const CScreenStore& s) {
    const SCell start{s.m_shapeStartColumn, s.m_shapeStartRow};
    const SCell end{s.m_shapeEndColumn, s.m_shapeEndRow};
    return CellsToMask(s.m_shapeTool == EDrawingTool::Rectangle ? RectangleCells(start, end)
                                                                : StraightLineCells(start, end));
}

// Lights or clears the cells of `mask` in the current screen; true when a
// dot changed. Only a change takes the screen for writing, so that a shape
// that changes nothing leaves no undo record.
bool Apply(CViewCore& view, const CellMask& mask, bool lights) {
    CScreenStore& s = view.Store();
    const auto shown = std::as_const(s).ScreenAt(s.m_currentBank, s.m_currentScreen);
    bool changes = false;
    for (int column = 0; column < kWordsPerScreen && !changes; ++column) {
        const Word word = shown[static_cast<size_t>(column)];
        const Word mark = mask[static_cast<size_t>(column)];
        changes = lights ? (word | mark) != word : (word & ~mark) != word;
    }
    if (!changes)
        return false;
    auto screen = s.CurrentScreenWords();
    for (int column = 0; column < kWordsPerScreen; ++column) {
        Word& word = screen[static_cast<size_t>(column)];
        const Word mark = mask[static_cast<size_t>(column)];
        word = lights ? word | mark : word & ~mark;
    }
    view.SetModifiedFlag();
    return true;
}

} // namespace

bool SelectPenTool(CViewCore& view) {
    return SelectTool(view, EDrawingTool::Pen);
}

bool SelectLineTool(CViewCore& view) {
    return SelectTool(view, EDrawingTool::Line);
}

bool SelectRectangleTool(CViewCore& view) {
    return SelectTool(view, EDrawingTool::Rectangle);
}

bool SelectFillTool(CViewCore& view) {
    return SelectTool(view, EDrawingTool::Fill);
}

void BeginShape(CViewCore& view, bool lights, SCell cell) {
    CScreenStore& s = view.Store();
    s.m_shapeActive = true;
    s.m_shapeTool = s.m_drawingTool;
    s.m_shapeLights = lights;
    s.m_shapeStartColumn = s.m_shapeEndColumn = cell.column;
    s.m_shapeStartRow = s.m_shapeEndRow = cell.row;
    s.m_shapeMask = ShapeMask(s);
    view.RepaintGrid();
}

void MoveShape(CViewCore& view, SCell cell) {
    CScreenStore& s = view.Store();
    if (!s.m_shapeActive || (cell.column == s.m_shapeEndColumn && cell.row == s.m_shapeEndRow))
        return;
    s.m_shapeEndColumn = cell.column;
    s.m_shapeEndRow = cell.row;
    s.m_shapeMask = ShapeMask(s);
    view.RepaintGrid();
}

void FinishShape(CViewCore& view) {
    const CScreenStore& s = view.Store();
    if (s.m_shapeActive)
        Apply(view, s.m_shapeMask, s.m_shapeLights);
    CancelShape(view);
}

void CancelShape(CViewCore& view) {
    CScreenStore& s = view.Store();
    if (!s.m_shapeActive)
        return;
    s.m_shapeActive = false;
    s.m_shapeMask = {};
    view.RepaintGrid();
}

void FillAt(CViewCore& view, bool lights, SCell cell) {
    CScreenStore& s = view.Store();
    const auto screen = std::as_const(s).ScreenAt(s.m_currentBank, s.m_currentScreen);
    if (Apply(view, FillRegion(screen, cell), lights))
        view.RepaintGrid();
}
