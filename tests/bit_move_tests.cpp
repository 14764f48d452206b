// The bit moves of the current screen and the two bit-move scroll bars.

#include "EffectSession.h"

#include "app/CommandTable.h"
#include "effects/BitMoves.h"
#include "store/CommandIds.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(BitMoves, EveryDotMovesAndEdgesDrop) {
    struct SMove {
        const char* name;
        bool (*operation)(CViewCore&);
        int dx, dy;
        bool marksModified;
    };
    const SMove moves[] = {
        {"BitUp", BitUp, 0, -1, false},           {"BitDown", BitDown, 0, 1, false},
        {"BitLeft", BitLeft, -1, 0, false},       {"BitRight", BitRight, 1, 0, false},
        {"MoveLeft16", MoveLeft16, -16, 0, true}, {"MoveRight16", MoveRight16, 16, 0, true},
    };
    for (const SMove& move : moves) {
        SCOPED_TRACE(move.name);
        CEffectSession t(12, 5);
        t.Draw(5, ScatteredDots());
        t.Draw(4, {{1, 1}});
        t.Draw(6, {{2, 2}});
        t.Click(IDC_PLAY);
        t.dispatch.OnTimer(kPreviewTimerId);
        const std::vector<Dot> before = t.Dots(5);
        const int repaints = t.platform.invalidateCount;
        move.operation(t.view);
        EXPECT_EQ(t.Dots(5), Moved(before, [&](Dot d) {
                      return Inside(d.first + move.dx, d.second + move.dy);
                  }));
        // Only the current screen moves, even while the preview shows another.
        EXPECT_EQ(t.Dots(4), (std::vector<Dot>{{1, 1}}));
        EXPECT_EQ(t.Dots(6), (std::vector<Dot>{{2, 2}}));
        EXPECT_EQ(t.s().m_previewOffset, 1);
        EXPECT_EQ(t.s().m_currentScreen, 5);
        EXPECT_EQ(t.s().m_screenCount[0], 12);
        EXPECT_GT(t.platform.invalidateCount, repaints);
        EXPECT_EQ(t.doc.IsModified(), move.marksModified);
    }

    CEffectSession t(1, 1);
    // Up and down again restores all but the top row.
    t.Draw(1, {{3, 0}, {4, 31}});
    BitUp(t.view);
    BitDown(t.view);
    EXPECT_EQ(t.Dots(1), (std::vector<Dot>{{4, 31}}));
    t.Draw(1, {{15, 2}, {47, 3}});
    MoveLeft16(t.view);
    EXPECT_EQ(t.Dots(1), (std::vector<Dot>{{31, 3}}));
    t.Draw(1, {{0, 2}});
    MoveRight16(t.view);
    EXPECT_EQ(t.Dots(1), (std::vector<Dot>{{16, 2}}));
}

TEST(BitMoves, ScrollBarArrowsMoveAndRecordEveryNotificationMarks) {
    CEffectSession t(3, 2);
    t.Draw(2, {{10, 10}});
    t.Click(IDC_MACRO_RECORD);
    for (int i = 0; i < 3; ++i)
        t.dispatch.OnScroll(IDC_BIT_VSCROLL, SB_LINEUP, 0);
    t.dispatch.OnScroll(IDC_BIT_VSCROLL, SB_LINEDOWN, 0);
    t.dispatch.OnScroll(IDC_BIT_HSCROLL, SB_LINELEFT, 0);
    t.dispatch.OnScroll(IDC_BIT_HSCROLL, SB_LINERIGHT, 0);
    t.dispatch.OnScroll(IDC_BIT_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(t.Dots(2), (std::vector<Dot>{{11, 8}}));
    EXPECT_EQ(t.s().m_macroCode, "33,33,33,34,37,38,38,");
    EXPECT_EQ(t.s().m_macroLines,
              (Lines{"上へビット移動", "上へビット移動", "上へビット移動", "下へビット移動",
                     "左へビット移動", "右へビット移動", "右へビット移動"}));

    // Any other notification moves and records nothing, but still repaints
    // and marks the document.
    for (const int code : {SB_ENDSCROLL, SB_PAGELEFT, SB_PAGERIGHT, SB_THUMBTRACK, SB_LEFT}) {
        for (const bool vertical : {true, false}) {
            t.doc.SetModifiedFlag(false);
            const int repaints = t.platform.invalidateCount;
            t.dispatch.OnScroll(vertical ? IDC_BIT_VSCROLL : IDC_BIT_HSCROLL, code, 7);
            EXPECT_TRUE(t.doc.IsModified()) << code;
            EXPECT_GT(t.platform.invalidateCount, repaints) << code;
        }
    }
    EXPECT_EQ(t.Dots(2), (std::vector<Dot>{{11, 8}}));
    EXPECT_EQ(t.s().m_macroLines.size(), 7u);

    // Replayed, the one-dot moves leave the document alone; the 16-column
    // moves mark it.
    t.Click(IDC_MACRO_RECORD);
    t.doc.SetModifiedFlag(false);
    StartMacro(t.view);
    EXPECT_EQ(t.Dots(2), (std::vector<Dot>{{12, 6}}));
    EXPECT_FALSE(t.doc.IsModified());
    t.s().m_macroCode = "35,";
    StartMacro(t.view);
    EXPECT_EQ(t.Dots(2), (std::vector<Dot>{}));
    EXPECT_TRUE(t.doc.IsModified());
}

} // namespace
