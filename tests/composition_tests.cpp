// AND / OR of the banks: each bank at its own current screen, the run length
// from select1, select2 read past its end, the capacity refusal, playback.

#include "EditTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<Word> Combined(int n1, int n2, bool isOr) {
    std::vector<Word> words;
    for (int column = 0; column < kWordsPerScreen; ++column) {
        const Word a = PatternWord(0, n1, column);
        const Word b = n2 > 800 ? 0 : PatternWord(1, n2, column);
        words.push_back(isOr ? a | b : a & b);
    }
    return words;
}

TEST(Composition, OneScreenAtEachBanksOwnCurrentScreen) {
    CEditSession t;
    t.Fill(0, 10);
    t.Fill(1, 10);
    GoToScreen(t.view, 4);
    t.s().m_bankCurrent[1] = 7;
    t.s().m_bankCurrent[2] = 5;
    t.view.UpdateData(false);
    t.Press(ID_AND);
    EXPECT_EQ(t.Screen(2, 5), Combined(4, 7, false));
    // The bank written is select3, not select1 on display.
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, false, true}));
    EXPECT_FALSE(t.doc.IsModified());

    // select3 on view: the output lands on the screen shown, whatever its box says.
    t.Press(IDC_SELECT3);
    GoToScreen(t.view, 2);
    t.s().m_bankCurrent[2] = 9;
    t.view.UpdateData(false);
    t.Press(ID_OR);
    EXPECT_EQ(t.Screen(2, 2), Combined(4, 7, true));
    EXPECT_EQ(t.s().m_macroCode, "25,11,27,");

    // Played, the bank current screens are taken as they stand; the step
    // itself marks nothing, the playback's record does.
    t.s().m_bankCurrent[2] = 3;
    t.doc.SetModifiedFlag(false);
    t.Play("25,");
    EXPECT_EQ(t.Screen(2, 3), Combined(4, 7, false));
    EXPECT_FALSE(t.doc.IsModified());
    t.s().m_bankCurrent[2] = 4;
    t.s().m_macroCode = "25,";
    t.Press(IDC_MACRO_START);
    EXPECT_EQ(t.Screen(2, 4), Combined(4, 7, false));
    EXPECT_TRUE(t.doc.IsModified());
}

TEST(Composition, RangeRunsOverSelect1AndMayLengthenSelect3) {
    CEditSession t;
    t.Fill(0, 10);
    t.Fill(1, 2); // shorter than the run: read past its count
    t.s().m_screenCount[2] = 6;
    GoToScreen(t.view, 3);
    t.s().m_bankCurrent[2] = 5;
    t.view.UpdateData(false);
    t.Press(ID_OR, true);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(t.Screen(2, 5 + i), Combined(3 + i, 1 + i, true)) << i;
    EXPECT_EQ(t.s().m_form.screenCounts[2], "12");
    EXPECT_EQ(t.platform.scrollMax, 10); // select1's: it is on view

    // select2 has no screens past 800: they are blank.
    GoToScreen(t.view, 7);
    t.s().m_bankCurrent[1] = 798;
    t.s().m_bankCurrent[2] = 1;
    t.view.UpdateData(false);
    t.Press(ID_AND, true);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t.Screen(2, 1 + i), Combined(7 + i, 798 + i, false)) << i;
    EXPECT_EQ(t.s().m_screenCount[2], 12);
    EXPECT_EQ(t.s().m_macroCode, "28,26,");
}

TEST(Composition, RangePastScreen800IsRefused) {
    CEditSession t;
    t.Fill(0, 800);
    t.s().m_bankCurrent[2] = 2;
    t.view.UpdateData(false);
    t.Press(ID_AND, true);
    t.Play("26,28,");
    EXPECT_EQ(t.MessageTexts(), std::vector<std::string>(3, "スクリーン枚数がオーバーしました。"));
    EXPECT_EQ(t.Screen(2, 2), kBlankScreen);
    EXPECT_EQ(t.s().m_macroCode, "");
    EXPECT_FALSE(t.doc.IsModified());
    t.s().m_bankCurrent[2] = 1;
    t.view.UpdateData(false);
    t.Press(ID_AND, true);
    EXPECT_EQ(t.s().m_screenCount[2], 800);
}

} // namespace
