#include "TestSession.h"

#include "store/CommandIds.h"
#include "view/LineDrawing.h"
#include "view/MouseDrawing.h"

#include <gtest/gtest.h>

namespace {

std::vector<SCell> Cells(std::initializer_list<SCell> cells) {
    return cells;
}

TEST(LineDrawing, SegmentsFollowTheStepTableAndTheLRoute) {
    // Step table, a = 4, b = 3.
    EXPECT_EQ(SegmentCells(10, 5, 14, 8), Cells({{11, 5}, {12, 6}, {13, 7}, {14, 8}}));
    // Rows and columns swapped: row a = 5, b = 3 of the table.
    EXPECT_EQ(SegmentCells(10, 5, 13, 10), Cells({{11, 6}, {11, 7}, {12, 8}, {12, 9}, {13, 10}}));
    // A column distance of 1: the L-route through (x1, y0).
    EXPECT_EQ(SegmentCells(10, 5, 11, 9),
              Cells({{10, 5}, {11, 5}, {11, 6}, {11, 7}, {11, 8}, {11, 9}}));
    // Leftward and upward parts leave out their start cell.
    EXPECT_EQ(SegmentCells(10, 5, 9, 3), Cells({{9, 5}, {9, 3}, {9, 4}}));
    EXPECT_EQ(SegmentCells(10, 5, 10, 1), Cells({{10, 1}, {10, 2}, {10, 3}, {10, 4}}));
    EXPECT_EQ(SegmentCells(10, 5, 10, 9), Cells({{10, 5}, {10, 6}, {10, 7}, {10, 8}, {10, 9}}));
    // Negative directions of the table: mirrored offsets.
    EXPECT_EQ(SegmentCells(14, 8, 10, 5), Cells({{13, 8}, {12, 7}, {11, 6}, {10, 5}}));
    // Long distances take the L-route even when both exceed six.
    EXPECT_EQ(SegmentCells(0, 0, 7, 1).size(), 9u);
}

TEST(LineDrawing, ClearLineClearsWhatSetLineSets) {
    std::array<Word, 48> screen{};
    SetLine(screen.data(), 10, 5, 13, 10);
    EXPECT_TRUE(TestDot(screen.data(), 11, 6));
    EXPECT_TRUE(TestDot(screen.data(), 13, 10));
    EXPECT_FALSE(TestDot(screen.data(), 10, 5));
    std::array<Word, 48> full;
    full.fill(0xFFFFFFFFu);
    ClearLine(full.data(), 10, 5, 13, 10);
    for (int c = 0; c < 48; ++c)
        EXPECT_EQ(full[c], ~screen[c]) << c;
}

class MouseDrawing : public ::testing::Test {
protected:
    void Press(int column, int row, bool left = true) {
        t.dispatch.OnMouse(left ? EMouseMessage::LButtonDown : EMouseMessage::RButtonDown,
                           left ? MK_LBUTTON : MK_RBUTTON, CellX(column), CellY(row));
    }
    void Move(int column, int row, unsigned flags = MK_LBUTTON) {
        t.dispatch.OnMouse(EMouseMessage::MouseMove, flags, CellX(column), CellY(row));
    }
    void Release() { t.dispatch.OnMouse(EMouseMessage::LButtonUp, 0, CellX(0), CellY(0)); }
    bool Lit(int column, int row) { return TestDot(t.s().ScreenAt(0, 1).data(), column, row); }
    int LitCount() {
        int count = 0;
        for (int c = 0; c < 48; ++c)
            for (int r = 0; r < 32; ++r)
                count += Lit(c, r);
        return count;
    }

    CTestSession t;
};

TEST_F(MouseDrawing, PressLightsTheDotAtOnceAndCapturesTheMouse) {
    Press(3, 4);
    EXPECT_TRUE(Lit(3, 4));
    EXPECT_EQ(LitCount(), 1);
    ASSERT_EQ(t.platform.drawnDots.size(), 1u);
    EXPECT_EQ(t.platform.drawnDots[0].column, 3);
    EXPECT_TRUE(t.platform.drawnDots[0].lit);
    EXPECT_TRUE(t.platform.captured);
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.platform.cursor, ECursorShape::SetDot);
    EXPECT_EQ(t.platform.cursorClip, (CRect{78, 55, 364, 246}));
    Release();
    EXPECT_FALSE(t.platform.captured);
    EXPECT_FALSE(t.platform.cursorClip.has_value());

    t.s().ScreenAt(0, 1)[0] = 0xFFFFFFFFu;
    Press(0, 31, false);
    EXPECT_EQ(t.s().ScreenAt(0, 1)[0], 0xFFFFFFFEu);
    EXPECT_EQ(t.platform.cursor, ECursorShape::ClearDot);
    EXPECT_FALSE(t.platform.drawnDots.back().lit);
}

TEST_F(MouseDrawing, DragDrawsConnectedPathsAndSplitsLongMoves) {
    Press(0, 0);
    Move(10, 3); // one move over ten columns: split at (5, 1)
    for (const SCell cell : Cells({{0, 0},
                                   {1, 0},
                                   {2, 0},
                                   {3, 0},
                                   {4, 0},
                                   {5, 0},
                                   {5, 1},
                                   {6, 2},
                                   {7, 2},
                                   {8, 3},
                                   {9, 3},
                                   {10, 3}}))
        EXPECT_TRUE(Lit(cell.column, cell.row)) << cell.column << "," << cell.row;
    EXPECT_EQ(LitCount(), 12);
    EXPECT_EQ(t.s().m_lastColumn, 10);
    EXPECT_EQ(t.s().m_lastRow, 3);

    // Right-button drag clears the same kind of path.
    Release();
    Press(10, 3, false);
    Move(6, 2, MK_RBUTTON); // L-route: row 3 from column 9 down to 6, then (6, 2)
    EXPECT_FALSE(Lit(10, 3));
    EXPECT_FALSE(Lit(9, 3));
    EXPECT_FALSE(Lit(8, 3));
    EXPECT_FALSE(Lit(6, 2));
    EXPECT_TRUE(Lit(7, 2));
    EXPECT_TRUE(Lit(5, 1));
}

TEST_F(MouseDrawing, OddSplitRowLeansToTheStart) {
    // y0 >= y1: the middle row rounds up, towards the start row.
    Press(0, 10);
    Move(20, 7);
    EXPECT_TRUE(Lit(10, 9)); // (10, (10 + 7 + 1) / 2)
    EXPECT_FALSE(Lit(10, 8));
}

TEST_F(MouseDrawing, MoveToTheSameCellOnlyUpdatesTheStatus) {
    Press(7, 12);
    const int repaints = t.platform.invalidateCount;
    Move(7, 12);
    EXPECT_EQ(t.platform.statusTexts.back(), "(  7, 12)");
    EXPECT_EQ(t.platform.invalidateCount, repaints);
    Move(8, 12);
    EXPECT_EQ(t.platform.invalidateCount, repaints + 1);
}

TEST_F(MouseDrawing, OnlyExactlyOneButtonDraws) {
    Press(2, 2);
    Move(4, 2, MK_LBUTTON | MK_SHIFT);
    Move(6, 2, MK_LBUTTON | MK_RBUTTON);
    Move(8, 2, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(LitCount(), 1);
    EXPECT_EQ(t.s().m_lastColumn, 8);
    // The drag goes on from where the pointer went.
    Move(9, 2);
    EXPECT_TRUE(Lit(8, 2));
    EXPECT_TRUE(Lit(9, 2));
    EXPECT_FALSE(Lit(5, 2));
}

TEST_F(MouseDrawing, WithoutCaptureMovesOnlyReportTheCell) {
    Move(4, 4);
    EXPECT_EQ(LitCount(), 0);
    EXPECT_EQ(t.platform.statusTexts.back(), "(  4,  4)");
    // A press below the cells but inside the grid rectangle sets nothing and
    // takes no capture.
    t.dispatch.OnMouse(EMouseMessage::LButtonDown, MK_LBUTTON, CellX(10), 54 + 6 * 32 + 1);
    EXPECT_FALSE(t.platform.captured);
    EXPECT_EQ(LitCount(), 0);
    EXPECT_FALSE(t.doc.IsModified());
}

TEST_F(MouseDrawing, LeavingTheGridCopiesTheBankIntoTheDocument) {
    Press(0, 0);
    Release();
    EXPECT_EQ(t.doc.Words()[0], 0u);
    t.dispatch.OnMouse(EMouseMessage::MouseMove, 0, 500, 20);
    EXPECT_EQ(t.platform.statusTexts.back(), "ﾚﾃﾞｨ       ");
    EXPECT_EQ(t.doc.Words()[0], 0x80000000u);
    EXPECT_EQ(t.doc.ByteCount(), 1920);
}

TEST_F(MouseDrawing, DrawingActsOnTheCurrentScreenAndEndsThePreviewOffset) {
    t.s().m_currentScreen = 3;
    t.s().m_bankCurrent[0] = 3;
    t.view.UpdateData(false);
    t.s().m_previewOffset = 2;
    Press(1, 1);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_TRUE(TestDot(t.s().ScreenAt(0, 3).data(), 1, 1));
    EXPECT_FALSE(TestDot(t.s().ScreenAt(0, 5).data(), 1, 1));
}

} // namespace
