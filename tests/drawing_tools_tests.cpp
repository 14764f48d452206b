// The line, rectangle and fill tools: their geometry, and drawing with them
// through the mouse path as a click does, with undo, the marks and the
// macro.

#include "TestSession.h"

#include "app/UndoCommands.h"
#include "store/CommandIds.h"
#include "store/ShownScreen.h"
#include "view/DrawingTools.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Cells = std::vector<SCell>;

// The cells of a mask, column by column.
Cells MaskCells(const CellMask& mask) {
    Cells cells;
    for (int column = 0; column < kScreenColumns; ++column)
        for (int row = 0; row < kScreenRows; ++row)
            if (TestDot(mask.data(), column, row))
                cells.push_back({column, row});
    return cells;
}

Cells Sorted(Cells cells) {
    std::sort(cells.begin(), cells.end(), [](const SCell& a, const SCell& b) {
        return a.column != b.column ? a.column < b.column : a.row < b.row;
    });
    return cells;
}

TEST(DrawingTools, StraightLinesTakeTheNearestCellOfEachColumnOrRow) {
    struct SCase {
        SCell from, to;
        Cells cells;
    };
    const SCase cases[] = {
        {{3, 4}, {3, 4}, {{3, 4}}},
        {{0, 0}, {4, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
        {{2, 5}, {2, 1}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}, {2, 1}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        // Gentle: one cell a column; y = x / 3 rounds 1/3 down and 2/3 up.
        {{0, 0}, {6, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
        // Steep, leftwards and upwards: one cell a row.
        {{5, 6}, {3, 0}, {{5, 6}, {5, 5}, {4, 4}, {4, 3}, {4, 2}, {3, 1}, {3, 0}}},
        // Halves go to the larger number, whichever end the line starts at.
        {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {{4, 2}, {0, 0}, {{4, 2}, {3, 2}, {2, 1}, {1, 1}, {0, 0}}},
        // Across the whole screen.
        {{47, 0}, {0, 31}, {}},
    };
    for (const SCase& c : cases) {
        const Cells cells = StraightLineCells(c.from, c.to);
        if (!c.cells.empty()) {
            EXPECT_EQ(cells, c.cells) << c.from.column << "," << c.from.row;
        }
        // Both ends, one cell in each column (or row) of the major axis,
        // each next to the one before, and the same cells drawn backwards.
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.front(), c.from);
        EXPECT_EQ(cells.back(), c.to);
        const int major =
            std::max(std::abs(c.to.column - c.from.column), std::abs(c.to.row - c.from.row));
        EXPECT_EQ(cells.size(), static_cast<size_t>(major) + 1);
        for (size_t i = 1; i < cells.size(); ++i) {
            EXPECT_LE(std::abs(cells[i].column - cells[i - 1].column), 1);
            EXPECT_LE(std::abs(cells[i].row - cells[i - 1].row), 1);
        }
        EXPECT_EQ(Sorted(StraightLineCells(c.to, c.from)), Sorted(cells));
    }
}

TEST(DrawingTools, RectanglesAreTheirOutlineOnce) {
    EXPECT_EQ(RectangleCells({3, 2}, {1, 4}),
              (Cells{{1, 2}, {2, 2}, {3, 2}, {1, 3}, {3, 3}, {1, 4}, {2, 4}, {3, 4}}));
    EXPECT_EQ(RectangleCells({5, 5}, {5, 5}), (Cells{{5, 5}}));
    EXPECT_EQ(RectangleCells({2, 7}, {2, 9}), (Cells{{2, 7}, {2, 8}, {2, 9}}));
    EXPECT_EQ(RectangleCells({0, 0}, {3, 0}), (Cells{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    const Cells full = RectangleCells({47, 31}, {0, 0});
    EXPECT_EQ(full.size(), size_t{2 * 48 + 2 * 30});
    EXPECT_EQ(Sorted(full), MaskCells(CellsToMask(full)));
    // Cells off the screen never reach a mask.
    EXPECT_EQ(MaskCells(CellsToMask({{-1, 0}, {48, 3}, {2, 32}, {4, 5}})), (Cells{{4, 5}}));
}

TEST(DrawingTools, FillTakesTheFourConnectedRegionOfTheCellsState) {
    // The outline from (1, 1) to (7, 6) without its corner (7, 6), and a lit
    // dot inside it that touches nothing.
    CellMask screen = CellsToMask(RectangleCells({1, 1}, {7, 6}));
    ClearDot(screen.data(), 7, 6);
    SetDot(screen.data(), 4, 3);
    // Inside: the 20 cells within but the dot, never through the gap, which
    // only touches the inside at a corner.
    const CellMask inside = FillRegion(screen, {3, 3});
    EXPECT_EQ(MaskCells(inside).size(), size_t{19});
    EXPECT_TRUE(TestDot(inside.data(), 6, 5));
    EXPECT_FALSE(TestDot(inside.data(), 4, 3));
    EXPECT_FALSE(TestDot(inside.data(), 7, 6));
    // The outline is one lit region, the dot another.
    EXPECT_EQ(MaskCells(FillRegion(screen, {1, 1})).size(), size_t{21});
    EXPECT_EQ(MaskCells(FillRegion(screen, {4, 3})), (Cells{{4, 3}}));
    // Outside runs round the outline and into the gap.
    const CellMask outside = FillRegion(screen, {0, 0});
    EXPECT_EQ(MaskCells(outside).size(), size_t{48 * 32 - 21 - 1 - 19});
    EXPECT_TRUE(TestDot(outside.data(), 7, 6));
    EXPECT_TRUE(TestDot(outside.data(), 47, 31));
    EXPECT_EQ(FillRegion(screen, {48, 0}), CellMask{});
    EXPECT_EQ(FillRegion(screen, {0, -1}), CellMask{});
}

// The mouse on the grid of a fresh session: select1, screen 1 of 10.
class ToolDrawing : public ::testing::Test {
protected:
    void Press(SCell cell, bool left = true) {
        t.dispatch.OnMouse(left ? EMouseMessage::LButtonDown : EMouseMessage::RButtonDown,
                           left ? MK_LBUTTON : MK_RBUTTON, CellX(cell.column), CellY(cell.row));
    }
    void Move(SCell cell, unsigned flags = MK_LBUTTON) {
        t.dispatch.OnMouse(EMouseMessage::MouseMove, flags, CellX(cell.column), CellY(cell.row));
    }
    void Release(bool left = true) {
        t.dispatch.OnMouse(left ? EMouseMessage::LButtonUp : EMouseMessage::RButtonUp, 0, CellX(0),
                           CellY(0));
    }
    void Drag(SCell from, SCell to, bool left = true) {
        Press(from, left);
        Move(from, left ? MK_LBUTTON : MK_RBUTTON);
        Move(to, left ? MK_LBUTTON : MK_RBUTTON);
        Release(left);
    }
    Cells Lit() {
        const auto screen = t.s().ScreenAt(0, 1);
        CellMask mask{};
        std::copy(screen.begin(), screen.end(), mask.begin());
        return MaskCells(mask);
    }

    CTestSession t;
};

TEST_F(ToolDrawing, ALineIsShownWhileDraggedAndDrawnAtTheRelease) {
    t.Click(IDC_MACRO_RECORD);
    ASSERT_TRUE(t.Click(ID_TOOL_LINE));
    EXPECT_EQ(t.s().m_drawingTool, EDrawingTool::Line);
    Press({1, 1});
    Move({5, 3});
    // Not written yet, but shown as the release will draw it.
    EXPECT_TRUE(Lit().empty());
    EXPECT_TRUE(t.platform.captured);
    const auto shown = ShownScreenWords(t.s());
    CellMask shownMask{};
    std::copy(shown.begin(), shown.end(), shownMask.begin());
    EXPECT_EQ(MaskCells(shownMask), Sorted({{1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 3}}));
    // The end follows the pointer; only the last counts.
    Move({9, 1});
    Release();
    EXPECT_EQ(Lit(),
              Sorted({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}));
    EXPECT_FALSE(t.platform.captured);
    EXPECT_FALSE(t.s().m_shapeActive);
    EXPECT_TRUE(t.view.IsModified());
    EXPECT_EQ(t.s().m_macroCode, ""); // mouse drawing is no macro step
    EXPECT_EQ(UndoLabel(t.view), "直線描画");

    // The right button clears along the line; undo brings each back.
    Drag({3, 1}, {3, 5}, false);
    EXPECT_EQ(Lit(), Sorted({{1, 1}, {2, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}));
    EXPECT_EQ(UndoLabel(t.view), "直線消去");
    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(Lit().size(), 9u);
    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_TRUE(Lit().empty());
    EXPECT_FALSE(t.view.IsModified());
}

TEST_F(ToolDrawing, RectanglesAndFillsAreOneUndoRecordEach) {
    ASSERT_TRUE(t.Click(ID_TOOL_RECTANGLE));
    Drag({10, 20}, {4, 16});
    EXPECT_EQ(Lit(), MaskCells(CellsToMask(RectangleCells({4, 16}, {10, 20}))));
    EXPECT_EQ(UndoLabel(t.view), "四角形描画");
    const size_t records = t.view.UndoHistory().UndoCount();

    // A filled rectangle: the fill of its inside.
    ASSERT_TRUE(t.Click(ID_TOOL_FILL));
    Press({7, 18});
    EXPECT_FALSE(t.platform.captured);
    Release();
    Cells filled;
    for (int column = 4; column <= 10; ++column)
        for (int row = 16; row <= 20; ++row)
            filled.push_back({column, row});
    EXPECT_EQ(Lit(), filled);
    EXPECT_EQ(t.view.UndoHistory().UndoCount(), records + 1);
    EXPECT_EQ(UndoLabel(t.view), "塗りつぶし");

    // Lighting lit cells changes nothing and leaves no record.
    Press({5, 17});
    Release();
    EXPECT_EQ(t.view.UndoHistory().UndoCount(), records + 1);

    // The right button clears the lit region; the rest of the screen was
    // never part of it.
    Press({0, 0}, false);
    Release(false);
    EXPECT_EQ(Lit(), filled);
    Press({10, 20}, false);
    Release(false);
    EXPECT_TRUE(Lit().empty());
    EXPECT_EQ(UndoLabel(t.view), "塗りつぶし消去");

    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(Lit(), filled);
    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(Lit(), MaskCells(CellsToMask(RectangleCells({4, 16}, {10, 20}))));
}

TEST_F(ToolDrawing, AShapeWhoseReleaseWentElsewhereIsDropped) {
    ASSERT_TRUE(t.Click(ID_TOOL_LINE));
    Press({1, 1});
    Move({4, 4});
    EXPECT_TRUE(t.s().m_shapeActive);
    // The capture went away without a release reaching the view.
    t.platform.captured = false;
    Move({6, 6}, 0);
    EXPECT_FALSE(t.s().m_shapeActive);
    EXPECT_EQ(ShownScreenWords(t.s()), (std::array<Word, 48>{}));
    Release();
    EXPECT_TRUE(Lit().empty());
    // A tool chosen during a drag leaves the drag as it began.
    Press({1, 1});
    ASSERT_TRUE(t.Click(ID_TOOL_PEN));
    Move({1, 3});
    Release();
    EXPECT_EQ(Lit(), (Cells{{1, 1}, {1, 2}, {1, 3}}));
    Press({3, 3});
    Move({5, 3});
    Release();
    EXPECT_EQ(Lit().size(), 6u);
}

TEST_F(ToolDrawing, TheShapeShowsOnlyOverTheScreenItGoesTo) {
    ASSERT_TRUE(t.Click(ID_TOOL_LINE));
    Press({0, 0});
    Move({0, 2});
    // A running preview moves on to the next screen.
    t.s().m_previewOffset = 1;
    EXPECT_EQ(t.s().ScreenOnDisplay(), 2);
    EXPECT_EQ(ShownScreenWords(t.s()), (std::array<Word, 48>{}));
    t.s().m_previewOffset = 0;
    EXPECT_EQ(ShownScreenWords(t.s())[0], 0xE0000000u);
    Release();
    EXPECT_EQ(t.s().ScreenAt(0, 1)[0], 0xE0000000u);
    EXPECT_EQ(t.s().ScreenAt(0, 2)[0], 0u);
}

} // namespace
