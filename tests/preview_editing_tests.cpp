// Editing while a preview stands on another screen: every command that works
// on the current screen acts on the screen on display, exactly as if the
// user had gone there with the scroll bar; a pending insert takes just the
// command's step; macro playback is left as it was.

#include "TestSession.h"

#include "app/CommandTable.h"
#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Twelve screens of distinct dots in select1 and select2, screen 3 current,
// recording, and something in both clips to paste.
void Prepare(CTestSession& t) {
    CScreenStore& s = t.s();
    Word seed = 0x9E3779B9u;
    for (int bank = 0; bank < 2; ++bank) {
        for (size_t i = 0; i < 12 * kWordsPerScreen; ++i) {
            seed = seed * 1664525u + 1013904223u;
            s.m_banks[bank][i] = seed;
        }
        s.m_screenCount[bank] = s.m_displayedCount[bank] = 12;
    }
    s.m_screenClip.fill(0x00F0F0F0u);
    s.m_rangeClipCount = 2;
    GoToScreen(t.view, 3);
    t.view.UpdateData(false);
    t.Click(IDC_MACRO_RECORD);
}

// Plays the preview two screens on and pauses it: the grid shows screen 5.
void PauseTwoScreensOn(CTestSession& t) {
    t.Click(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.Click(IDC_PLAY);
    ASSERT_EQ(t.s().m_currentScreen + t.s().m_previewOffset, 5);
}

struct SGesture {
    const SCommand* command;
    bool shift;
    int scrollCode; // -1 for a click
};

void Perform(CTestSession& t, const SGesture& gesture) {
    // What the user typed last is what a character import takes.
    t.dispatch.OnEditChanged(IDC_TEXT16, "字");
    t.dispatch.OnEditChanged(IDC_TEXT32, "A");
    t.platform.shiftDown = gesture.shift;
    if (gesture.scrollCode >= 0)
        t.dispatch.OnScroll(gesture.command->id, gesture.scrollCode, 0);
    else
        t.Click(gesture.command->id);
    t.platform.shiftDown = false;
}

TEST(PreviewEditing, ACommandActsOnTheScreenOnDisplayAsAfterTheScrollBar) {
    int gestures = 0;
    for (const SCommand& command : CommandTable()) {
        if (!WorksOnCurrentScreen(command))
            continue;
        std::vector<SGesture> ways;
        if (command.scroll != nullptr) {
            ways = {{&command, false, SB_LINEUP}, {&command, false, SB_LINEDOWN}};
        } else {
            ways = {{&command, false, -1}};
            if (command.shift != nullptr)
                ways.push_back({&command, true, -1});
        }
        for (const SGesture& gesture : ways) {
            SCOPED_TRACE("command " + std::to_string(command.id) + (gesture.shift ? " SHIFT" : "") +
                         " code " + std::to_string(gesture.scrollCode));
            ++gestures;
            CTestSession paused;
            Prepare(paused);
            PauseTwoScreensOn(paused);
            Perform(paused, gesture);

            CTestSession scrolled;
            Prepare(scrolled);
            scrolled.dispatch.OnScroll(IDC_SCREEN_SCROLL, SB_THUMBTRACK, 5);
            Perform(scrolled, gesture);

            EXPECT_EQ(paused.s().m_previewOffset, 0);
            ExpectSameScreensAndCounters(paused.s(), scrolled.s());
            EXPECT_EQ(paused.s().m_macroCode, scrolled.s().m_macroCode);
            EXPECT_EQ(paused.s().m_macroLines, scrolled.s().m_macroLines);
            EXPECT_EQ(paused.s().m_form.text16, scrolled.s().m_form.text16);
            EXPECT_EQ(paused.doc.Marks(), scrolled.doc.Marks());
        }
    }
    // The effects, bit moves, clips, spaces, AND / OR, bitmaps and characters.
    EXPECT_GE(gestures, 30);
}

TEST(PreviewEditing, ABitMoveChangesTheScreenShownAndUndoReturnsToThePause) {
    CTestSession t;
    Prepare(t);
    PauseTwoScreensOn(t);
    const std::vector<Word> hidden = t.Screen(0, 3);
    const std::vector<Word> shown = t.Screen(0, 5);
    t.dispatch.OnScroll(IDC_BIT_HSCROLL, SB_LINELEFT, 0);
    t.dispatch.OnScroll(IDC_BIT_HSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(t.Screen(0, 3), hidden);
    EXPECT_NE(t.Screen(0, 5), shown);
    EXPECT_EQ(t.s().m_currentScreen, 5);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_EQ(t.platform.scrollPos, 5);
    EXPECT_EQ(t.s().m_macroCode, "[5],37,");

    // One record: the step, the move and the pause come back together.
    EXPECT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.Screen(0, 5), shown);
    EXPECT_EQ(t.s().m_currentScreen, 3);
    EXPECT_EQ(t.s().m_previewOffset, 2);
    EXPECT_EQ(t.s().m_macroCode, "");
}

TEST(PreviewEditing, APendingInsertTakesOnlyTheCommandsStep) {
    CTestSession t;
    Prepare(t);
    t.Click(IDC_BUTTON1);
    t.Click(IDC_BUTTON2);
    ASSERT_EQ(t.s().m_macroCode, "1,2,");
    t.dispatch.OnListSelect(1);
    t.Click(IDC_MACRO_INS);
    PauseTwoScreensOn(t);
    t.Click(IDC_MOVE_LEFT16);
    EXPECT_EQ(t.s().m_macroCode, "1,35,2,");
    EXPECT_EQ(t.s().m_currentScreen, t.s().m_bankCurrent[0]);
    EXPECT_EQ(t.s().m_previewOffset, 0);
}

TEST(PreviewEditing, PlaybackAndNavigationAreAsBefore) {
    // The player's bit move works on the current screen, as it always has.
    CTestSession t;
    Prepare(t);
    PauseTwoScreensOn(t);
    const std::vector<Word> shown = t.Screen(0, 5);
    t.s().m_macroCode = "33,";
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.Screen(0, 5), shown);
    EXPECT_EQ(t.s().m_macroCode, "33,");

    // Moving on from a pause records only the move itself.
    CTestSession n;
    Prepare(n);
    PauseTwoScreensOn(n);
    n.Click(IDC_LAST_SCREEN);
    EXPECT_EQ(n.s().m_macroCode, "7,");
    EXPECT_EQ(n.s().m_currentScreen, 12);
}

} // namespace
