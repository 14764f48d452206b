// Space insert and delete: moved screens, counts, the capacity refusal and
// the one-screen bank, clicked and played.

#include "EditTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Spaces, InsertAndDeleteMoveTheLaterScreens) {
    CEditSession t;
    t.Fill(0, 10);
    t.Press(ID_SPACE_INSERT);
    EXPECT_EQ(t.Screen(0, 1), kBlankScreen);
    EXPECT_EQ(t.Screen(0, 11), PatternScreen(0, 10));
    EXPECT_EQ(t.s().m_form.screenCounts[0], "11");
    EXPECT_EQ(t.platform.scrollMax, 11);
    EXPECT_TRUE(t.doc.IsModified());
    t.Press(ID_SPACE_DELETE); // and back
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(t.Screen(0, n), PatternScreen(0, n)) << n;

    GoToScreen(t.view, 3);
    t.Press(ID_SPACE_DELETE);
    EXPECT_EQ(t.Screen(0, 3), PatternScreen(0, 4));
    GoToScreen(t.view, 5);
    t.Press(ID_SPACE_DELETE, true); // the last screen only
    EXPECT_EQ(t.s().m_screenCount[0], 8);
    EXPECT_EQ(t.s().m_currentScreen, 5);
    GoToScreen(t.view, 8);
    t.Press(ID_SPACE_DELETE);
    EXPECT_EQ(t.s().m_form.currentScreen, "7");
    EXPECT_EQ(t.s().m_bankCurrent[0], 7);
    EXPECT_EQ(t.s().m_macroCode, "21,23,23,24,23,");

    // A bank of one screen: nothing removed or recorded, yet marked.
    t.s().m_screenCount[0] = 1;
    GoToScreen(t.view, 1);
    t.doc.SetModifiedFlag(false);
    t.Press(ID_SPACE_DELETE);
    t.Press(ID_SPACE_DELETE, true);
    t.Play("23,24,");
    EXPECT_EQ(t.s().m_screenCount[0], 1);
    EXPECT_EQ(t.s().m_macroCode, "21,23,23,24,23,");
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_TRUE(t.MessageTexts().empty());
}

TEST(Spaces, A800ScreenBankTakesNoMore) {
    CEditSession t;
    t.Fill(0, 799);
    GoToScreen(t.view, 5);
    t.Press(ID_SPACE_INSERT, true);
    EXPECT_EQ(t.Screen(0, 800), kBlankScreen); // blanked, though the bank held words there
    EXPECT_EQ(t.s().m_currentScreen, 5);
    t.doc.SetModifiedFlag(false);
    t.Press(ID_SPACE_INSERT);
    t.Press(ID_SPACE_INSERT, true);
    EXPECT_EQ(t.MessageTexts(), std::vector<std::string>(2, "スクリーン枚数がオーバーしました。"));
    EXPECT_EQ(t.s().m_macroCode, "22,");
    EXPECT_FALSE(t.doc.IsModified());
    t.Play("21,22,"); // the insert is refused with the message, the append silently
    EXPECT_EQ(t.MessageTexts().size(), 3u);
    EXPECT_EQ(t.Screen(0, 5), PatternScreen(0, 5));
    EXPECT_EQ(t.s().m_screenCount[0], 800);
    t.Play("24,"); // played, the new count is shown but nothing marked
    EXPECT_EQ(t.s().m_form.screenCounts[0], "799");
    EXPECT_EQ(t.platform.scrollMax, 799);
    EXPECT_FALSE(t.doc.IsModified());
}

} // namespace
