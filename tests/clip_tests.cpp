// Copy, cut, paste and reverse: the two clips, the range forms' counts, the
// capacity refusal, and what a click does beyond the playback form.

#include "EditTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Clips, RangeClipCountsAndPaste) {
    CEditSession t;
    t.Fill(0, 12);
    GoToScreen(t.view, 5);
    t.Press(ID_EDIT_COPY, true); // screens 5..12
    GoToScreen(t.view, 8);
    t.Press(ID_EDIT_CUT, true); // 8..12 over the first five, then blanked
    EXPECT_EQ(t.s().m_rangeClipCount, 5);
    EXPECT_EQ(t.s().m_rangeClip[7 * kWordsPerScreen], PatternWord(0, 12, 0)); // older
    EXPECT_EQ(t.Screen(0, 12), kBlankScreen);
    EXPECT_EQ(t.s().m_screenCount[0], 12);

    t.Press(IDC_SELECT2);
    GoToScreen(t.view, 2);
    t.Press(ID_EDIT_PASTE, true);
    EXPECT_EQ(t.Screen(1, 6), PatternScreen(0, 12));
    EXPECT_EQ(t.Screen(1, 7), kBlankScreen);
    EXPECT_EQ(t.s().m_screenCount[1], 10);
    GoToScreen(t.view, 9);
    t.Press(ID_EDIT_PASTE, true);
    EXPECT_EQ(t.Screen(1, 9), PatternScreen(0, 8));
    EXPECT_EQ(t.s().m_form.screenCounts[1], "13");
    EXPECT_EQ(t.platform.scrollMax, 13);
    EXPECT_EQ(t.s().m_macroCode, "14,16,10,18,18,");

    // A start past the last screen takes nothing; pasting nothing there
    // stretches the count to the screen before it.
    GoToScreen(t.view, 20);
    t.Press(ID_EDIT_COPY, true);
    EXPECT_EQ(t.s().m_rangeClipCount, 0);
    t.Press(ID_EDIT_PASTE, true);
    EXPECT_EQ(t.s().m_screenCount[1], 19);
}

TEST(Clips, RangePasteStopsAtScreen800) {
    CEditSession t;
    t.Fill(0, 795);
    GoToScreen(t.view, 3);
    t.Press(ID_EDIT_COPY, true);
    t.s().m_rangeClipCount = 10;
    GoToScreen(t.view, 792);
    t.Press(ID_EDIT_PASTE, true);
    t.Play("18,");
    EXPECT_EQ(t.MessageTexts(), std::vector<std::string>(2, "スクリーン枚数がオーバーしました。"));
    EXPECT_EQ(t.platform.messages[0].caption, "エラー発生！");
    EXPECT_EQ(t.Screen(0, 792), PatternScreen(0, 792));
    EXPECT_EQ(t.s().m_macroCode, "14,");

    GoToScreen(t.view, 791);
    t.Press(ID_EDIT_PASTE, true);
    EXPECT_EQ(t.Screen(0, 800), PatternScreen(0, 12));
    EXPECT_EQ(t.s().m_screenCount[0], 800);
    EXPECT_EQ(t.s().m_macroCode, "14,18,");
}

TEST(Clips, OneScreenFormsReverseAndPlayback) {
    CEditSession t;
    t.Press(ID_EDIT_PASTE); // nothing copied yet: a blank screen
    t.Fill(0, 10);
    // A preview paused two screens on: the cut takes the screen on display.
    GoToScreen(t.view, 2);
    t.Press(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.Press(IDC_PLAY);
    const int repaints = t.platform.invalidateCount;
    t.Press(ID_EDIT_CUT);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_EQ(t.s().m_currentScreen, 4);
    EXPECT_EQ(t.Screen(0, 4), kBlankScreen);
    // Cut and paste change screens: they mark their bank.
    EXPECT_TRUE(t.doc.IsModified());
    t.Press(IDC_SELECT3);
    EXPECT_FALSE(t.doc.IsModified());
    t.Press(ID_EDIT_PASTE);
    EXPECT_EQ(t.Screen(2, 1), PatternScreen(0, 4));
    EXPECT_TRUE(t.doc.IsModified());
    t.doc.SetModifiedFlag(false);
    t.Press(ID_EDIT_COPY);
    EXPECT_EQ(t.platform.invalidateCount, repaints + 3); // cut, select, paste: not copy
    EXPECT_FALSE(t.doc.IsModified());
    t.Press(ID_REVERSE);
    EXPECT_EQ(t.Screen(2, 1)[0], ~PatternWord(0, 4, 0));
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.s().m_macroCode, "17,[4],15,11,17,13,19,");

    // SHIFT reverse from screen 4 of 10 counts 7 screens in the range clip
    // without writing it. Played, every step repaints and none marks.
    t.Press(IDC_SELECT1);
    t.doc.SetModifiedFlag(false);
    t.Play("13,20,");
    EXPECT_EQ(t.s().m_rangeClipCount, 7);
    EXPECT_EQ(t.s().m_rangeClip[0], 0u);
    EXPECT_EQ(t.Screen(0, 10)[0], ~PatternWord(0, 10, 0));
    EXPECT_EQ(t.Screen(0, 4), std::vector<Word>(kWordsPerScreen, ~Word{0}));
    EXPECT_EQ(t.platform.invalidateCount, repaints + 7);
    EXPECT_FALSE(t.doc.IsModified());
}

} // namespace
