#include "TestSession.h"

#include "app/DocumentCommands.h"
#include "app/QvlFormat.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"
#include "view/Preview.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// A session whose select1 holds `screens` screens, recording on, at `current`.
class Navigation : public ::testing::Test {
protected:
    void Start(int screens, int current) {
        std::vector<Word> words(static_cast<size_t>(screens) * kWordsPerScreen, 0);
        for (int n = 0; n < screens; ++n)
            words[n * kWordsPerScreen] = static_cast<Word>(n + 1);
        WriteBytes(dir.Path("anim.qvl"), EncodeQvl(words.data(), words.size()));
        ASSERT_TRUE(OpenAnimation(t.view, t.doc, dir.Path("anim.qvl")));
        if (current != 1)
            GoToScreen(t.view, current);
        t.Click(IDC_MACRO_RECORD);
    }
    void Scroll(int code, int thumb = 0) { t.dispatch.OnScroll(IDC_SCREEN_SCROLL, code, thumb); }
    int Current() { return t.s().m_currentScreen; }
    // The screen the grid shows.
    int Shown() { return t.s().m_currentScreen + t.s().m_previewOffset; }

    CTempDir dir;
    CTestSession t;
};

TEST_F(Navigation, LineAndPageMovesStopAtTheEnds) {
    Start(10, 1);
    Scroll(SB_LINELEFT);
    Scroll(SB_PAGELEFT);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(t.s().m_macroCode, "");

    GoToScreen(t.view, 8);
    Scroll(SB_PAGERIGHT);
    EXPECT_EQ(Current(), 10);
    EXPECT_EQ(t.s().m_macroCode, "[10],");
    Scroll(SB_LINERIGHT);
    Scroll(SB_PAGERIGHT);
    EXPECT_EQ(Current(), 10);
    EXPECT_EQ(t.s().m_macroCode, "[10],");

    GoToScreen(t.view, 3);
    Scroll(SB_PAGELEFT);
    EXPECT_EQ(Current(), 1);
    Scroll(SB_LINERIGHT);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(t.s().m_macroCode, "[10],[1],[2],");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"10", "1", "2"}));
    EXPECT_EQ(t.s().m_bankCurrent[0], 2);
    EXPECT_EQ(t.s().m_form.currentScreen, "2");
}

TEST_F(Navigation, TheThumbFollowsOneNotificationLate) {
    Start(10, 4);
    Scroll(SB_LINERIGHT);
    EXPECT_EQ(Current(), 5);
    EXPECT_EQ(t.platform.scrollPos, 4); // set before the move was applied
    Scroll(SB_ENDSCROLL);
    EXPECT_EQ(t.platform.scrollPos, 5);
    EXPECT_EQ(t.s().m_macroCode, "[5],"); // the end notification records nothing
}

TEST_F(Navigation, ThumbTrackingRecordsEveryNotification) {
    Start(10, 1);
    for (int position : {2, 3, 4})
        Scroll(SB_THUMBTRACK, position);
    Scroll(SB_THUMBPOSITION, 4);
    Scroll(SB_ENDSCROLL);
    EXPECT_EQ(Current(), 4);
    EXPECT_EQ(t.s().m_macroCode, "[2],[3],[4],");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"2", "3", "4"}));
}

TEST_F(Navigation, FirstAndLastButtons) {
    Start(12, 5);
    t.Click(IDC_LAST_SCREEN);
    EXPECT_EQ(Current(), 12);
    EXPECT_EQ(t.platform.scrollPos, 12);
    t.Click(IDC_FIRST_SCREEN);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(t.s().m_bankCurrent[0], 1);
    EXPECT_EQ(t.s().m_macroCode, "7,8,");
}

TEST_F(Navigation, EveryBankKeepsItsOwnCurrentScreen) {
    Start(10, 5);
    t.Click(IDC_SELECT2);
    EXPECT_EQ(t.s().m_currentBank, 1);
    EXPECT_EQ(Current(), 1);
    GoToScreen(t.view, 2);
    t.Click(IDC_SELECT1);
    EXPECT_EQ(Current(), 5);
    t.Click(IDC_SELECT2);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(t.s().m_form.bankCurrents, (std::array<std::string, 3>{"5", "2", "1"}));
    EXPECT_EQ(t.s().m_form.bankRadio, 1);
    EXPECT_EQ(t.s().m_macroLines, (Lines{"セレクト２", "セレクト１", "セレクト２"}));
    // The bar covers the bank on display.
    EXPECT_EQ(t.platform.scrollMax, 10);
    EXPECT_EQ(t.platform.scrollPos, 2);
}

TEST_F(Navigation, PreviewRunsToTheLastScreenAndComesBack) {
    Start(12, 10);
    t.Click(IDC_PLAY);
    EXPECT_TRUE(t.platform.previewTimerRunning);
    EXPECT_EQ(t.s().m_previewFlag, 1);
    std::vector<int> shown;
    for (int tick = 0; tick < 3; ++tick) {
        t.dispatch.OnTimer(kPreviewTimerId);
        shown.push_back(Shown());
        EXPECT_EQ(t.s().m_form.currentScreen, std::to_string(Shown()));
    }
    EXPECT_EQ(shown, (std::vector<int>{11, 12, 10}));
    EXPECT_FALSE(t.platform.previewTimerRunning);
    EXPECT_EQ(t.s().m_previewFlag, 0);
    EXPECT_EQ(Current(), 10);
    EXPECT_EQ(t.s().m_macroCode, ""); // previews are never recorded

    // At the last screen the first tick shows it again and stops.
    GoToLast(t.view);
    t.Click(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    EXPECT_EQ(Shown(), 12);
    EXPECT_FALSE(t.platform.previewTimerRunning);
}

TEST_F(Navigation, APausedPreviewMakesTheScreenOnDisplayCurrent) {
    Start(20, 10);
    t.Click(IDC_PLAY);
    for (int tick = 0; tick < 4; ++tick)
        t.dispatch.OnTimer(kPreviewTimerId);
    t.Click(IDC_PLAY); // pause on 14
    EXPECT_FALSE(t.platform.previewTimerRunning);
    EXPECT_EQ(Shown(), 14);
    EXPECT_EQ(Current(), 10);
    Scroll(SB_LINERIGHT);
    EXPECT_EQ(Current(), 15);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_EQ(t.s().m_macroCode, "[15],");
}

TEST_F(Navigation, AnOperationDuringThePreviewStartsFromTheScreenOnDisplay) {
    Start(20, 10);
    t.Click(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.dispatch.OnTimer(kPreviewTimerId);
    // Selecting the same bank reads the boxes, which show screen 12.
    t.Click(IDC_SELECT1);
    EXPECT_EQ(Current(), 12);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_TRUE(t.platform.previewTimerRunning); // the preview goes on from there
    t.dispatch.OnTimer(kPreviewTimerId);
    EXPECT_EQ(Shown(), 13);
}

TEST_F(Navigation, ResetAnsweredNoChangesNothing) {
    Start(12, 3);
    t.platform.messageAnswers.push_back(IDNO);
    t.Click(IDC_RESET);
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text, "ＲＥＳＥＴしますか？");
    EXPECT_EQ(t.platform.messages[0].caption, "確認");
    EXPECT_EQ(t.platform.messages[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(t.s().m_screenCount[0], 12);
    EXPECT_EQ(Current(), 3);
    EXPECT_EQ(t.s().ScreenAt(0, 2)[0], 2u);
}

TEST_F(Navigation, ResetAnsweredYesWipesBanksAndClipsButNotTheMacro) {
    Start(12, 3);
    t.Click(IDC_SELECT3);
    GoToScreen(t.view, 7);
    t.s().ScreenAt(2, 7)[3] = 0xFFu;
    t.s().m_screenClip[0] = 1u;
    t.s().m_rangeClip[100] = 1u;
    t.s().m_rangeClipCount = 4;
    t.doc.SetModifiedFlag(false);
    t.platform.messageAnswers.push_back(IDYES);
    t.Click(IDC_RESET);
    const CScreenStore& s = t.s();
    EXPECT_EQ(s.m_currentBank, 0);
    EXPECT_EQ(s.m_currentScreen, 1);
    EXPECT_EQ(s.m_screenCount, (std::array<int, 3>{10, 10, 10}));
    EXPECT_EQ(s.m_bankCurrent, (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(s.m_form.bankRadio, 0);
    EXPECT_EQ(s.m_form.screenCounts[0], "10");
    for (int bank = 0; bank < 3; ++bank)
        for (Word w : s.m_banks[bank])
            ASSERT_EQ(w, 0u);
    EXPECT_EQ(s.m_screenClip[0], 0u);
    EXPECT_EQ(s.m_rangeClip[100], 0u);
    EXPECT_EQ(s.m_rangeClipCount, 4);
    EXPECT_EQ(s.m_macroCode, "11,");
    EXPECT_EQ(s.m_macroLines, (Lines{"セレクト３"}));
    EXPECT_EQ(t.platform.scrollMax, 10);
    // The banks RESET changed are marked (select2 held ten blank screens
    // already), so that closing asks before their files are left behind.
    EXPECT_EQ(t.doc.Marks(), (BankMarks{true, false, true}));
    EXPECT_TRUE(t.doc.IsModified());

    // select1 is the bank on display: moving to select3 and back keeps
    // select1's screen and leaves select3 at its own.
    GoToScreen(t.view, 4);
    t.Click(IDC_SELECT3);
    EXPECT_EQ(Current(), 1);
    t.Click(IDC_SELECT1);
    EXPECT_EQ(Current(), 4);
}

TEST_F(Navigation, PageKeysAreTheScrollBarsArrows) {
    // The same moves, once as the arrows of the bar and once as the keys,
    // from the same places: screen, thumb, steps and undo records agree.
    struct SMove {
        int start;
        int id;
        int code;
    };
    const SMove moves[] = {{1, ID_PREVIOUS_SCREEN, SB_LINELEFT},
                           {1, ID_NEXT_SCREEN, SB_LINERIGHT},
                           {10, ID_NEXT_SCREEN, SB_LINERIGHT},
                           {10, ID_PREVIOUS_SCREEN, SB_LINELEFT},
                           {6, ID_NEXT_SCREEN, SB_LINERIGHT}};
    for (const SMove& move : moves) {
        CTestSession bar;
        CTestSession keys;
        for (CTestSession* session : {&bar, &keys}) {
            session->s().m_screenCount[0] = 10;
            GoToScreen(session->view, move.start);
            session->Click(IDC_MACRO_RECORD);
        }
        bar.dispatch.OnScroll(IDC_SCREEN_SCROLL, move.code, 0);
        bar.dispatch.OnScroll(IDC_SCREEN_SCROLL, SB_ENDSCROLL, 0);
        ASSERT_TRUE(keys.Click(move.id));
        EXPECT_EQ(keys.s().m_currentScreen, bar.s().m_currentScreen) << move.start;
        EXPECT_EQ(keys.s().m_macroCode, bar.s().m_macroCode) << move.start;
        EXPECT_EQ(keys.platform.scrollPos, bar.platform.scrollPos);
        EXPECT_EQ(keys.s().m_form.currentScreen, bar.s().m_form.currentScreen);
        EXPECT_EQ(keys.view.UndoHistory().UndoCount(), bar.view.UndoHistory().UndoCount());
    }
    // A paused preview: the key starts from the screen on display.
    Start(20, 10);
    t.Click(IDC_PLAY);
    for (int tick = 0; tick < 4; ++tick)
        t.dispatch.OnTimer(kPreviewTimerId);
    t.Click(IDC_PLAY);
    ASSERT_TRUE(t.Click(ID_NEXT_SCREEN));
    EXPECT_EQ(Current(), 15);
    EXPECT_EQ(t.s().m_macroCode, "[15],");
    ASSERT_TRUE(t.Click(ID_PREVIOUS_SCREEN));
    EXPECT_EQ(t.s().m_macroCode, "[15],[14],");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"15", "14"}));
}

TEST_F(Navigation, AScreenPickedFromTheStripIsTheThumbLetGoThere) {
    Start(12, 2);
    t.dispatch.OnScreenPicked(7);
    EXPECT_EQ(Current(), 7);
    EXPECT_EQ(t.platform.scrollPos, 7);
    EXPECT_EQ(t.s().m_bankCurrent[0], 7);
    EXPECT_EQ(t.s().m_macroCode, "[7],");
    // Outside the bank: its nearest screen.
    t.dispatch.OnScreenPicked(40);
    t.dispatch.OnScreenPicked(0);
    EXPECT_EQ(t.s().m_macroCode, "[7],[12],[1],");
    EXPECT_EQ(Current(), 1);
    // During a preview it stops at the screen picked, as the bar does.
    t.Click(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.dispatch.OnScreenPicked(9);
    EXPECT_EQ(Shown(), 9);
    EXPECT_EQ(t.s().m_previewOffset, 0);
}

TEST_F(Navigation, ThePreviewPlaysAtTheChosenSpeed) {
    Start(12, 1);
    EXPECT_EQ(t.s().m_previewInterval, kPreviewIntervalMs);
    EXPECT_TRUE(SetPreviewInterval(t.view, 500));
    EXPECT_EQ(t.platform.previewTimerStarts, 0); // nothing runs: nothing starts
    for (const int refused : {0, 99, -50, 1000}) {
        EXPECT_FALSE(SetPreviewInterval(t.view, refused));
        EXPECT_EQ(t.s().m_previewInterval, 500);
    }
    t.Click(IDC_PLAY);
    EXPECT_EQ(t.platform.previewTimerStarts, 1);
    // A running preview takes the new speed at once and goes on.
    t.dispatch.OnTimer(kPreviewTimerId);
    EXPECT_TRUE(SetPreviewInterval(t.view, 50));
    EXPECT_EQ(t.platform.previewTimerStarts, 2);
    EXPECT_TRUE(t.platform.previewTimerRunning);
    t.dispatch.OnTimer(kPreviewTimerId);
    EXPECT_EQ(Shown(), 3);
    EXPECT_EQ(t.s().m_macroCode, "");
}

TEST_F(Navigation, GoToScreenMayPassTheCountButNot800) {
    Start(10, 1);
    GoToScreen(t.view, 15);
    EXPECT_EQ(Current(), 15);
    EXPECT_EQ(t.platform.ShownScrollPos(), 10);
    GoToScreen(t.view, 5000);
    EXPECT_EQ(Current(), 800);
    GoToScreen(t.view, -3);
    EXPECT_EQ(Current(), 1);
}

} // namespace
