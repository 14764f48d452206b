// Undo and redo: every command of the table taken back and done again to the
// exact state, what leaves no record, the limits, the macro while recording,
// the mouse, the file commands and RESET.

#include "TestSession.h"

#include "app/CommandTable.h"
#include "app/DocumentCommands.h"
#include "app/UndoCommands.h"
#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

namespace {

void Press(CTestSession& t, int column, int row, bool left = true) {
    t.dispatch.OnMouse(left ? EMouseMessage::LButtonDown : EMouseMessage::RButtonDown,
                       left ? MK_LBUTTON : MK_RBUTTON, CellX(column), CellY(row));
}
void Move(CTestSession& t, int column, int row, bool left = true) {
    t.dispatch.OnMouse(EMouseMessage::MouseMove, left ? MK_LBUTTON : MK_RBUTTON, CellX(column),
                       CellY(row));
}
void Release(CTestSession& t, bool left = true) {
    t.dispatch.OnMouse(left ? EMouseMessage::LButtonUp : EMouseMessage::RButtonUp, 0, CellX(0),
                       CellY(0));
}
void Dot(CTestSession& t, int column, int row) {
    Press(t, column, row);
    Release(t);
}

Word Next(Word& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed;
}

// What undo must give back, and the document's flag.
struct SState {
    CScreenStore store;
    bool modified;
};

SState Capture(CTestSession& t) {
    return {t.s(), t.doc.IsModified()};
}

// The data an action may change; a record is expected exactly when it did.
bool SameData(const SState& a, const SState& b) {
    const CScreenStore& x = a.store;
    const CScreenStore& y = b.store;
    return x.m_banks == y.m_banks && x.m_screenCount == y.m_screenCount &&
           x.m_screenClip == y.m_screenClip && x.m_rangeClip == y.m_rangeClip &&
           x.m_rangeClipCount == y.m_rangeClipCount && x.m_form.text16 == y.m_form.text16 &&
           x.m_form.text32 == y.m_form.text32 && x.m_macroCode == y.m_macroCode &&
           x.m_heldCode == y.m_heldCode && x.m_insertPos == y.m_insertPos &&
           x.m_macroLines == y.m_macroLines;
}

void ExpectSameState(const SState& a, const SState& b, const std::string& what) {
    const CScreenStore& x = a.store;
    const CScreenStore& y = b.store;
    SCOPED_TRACE(what);
    ExpectSameScreensAndCounters(x, y);
    EXPECT_EQ(x.m_text16, y.m_text16);
    EXPECT_EQ(x.m_text32, y.m_text32);
    EXPECT_EQ(x.m_macroCode, y.m_macroCode);
    EXPECT_EQ(x.m_heldCode, y.m_heldCode);
    EXPECT_EQ(x.m_insertPos, y.m_insertPos);
    EXPECT_EQ(x.m_macroLines, y.m_macroLines);
    EXPECT_EQ(x.m_macroSelection, y.m_macroSelection);
    EXPECT_EQ(x.m_stepCount, y.m_stepCount);
    EXPECT_EQ(x.m_macroButtonsEnabled, y.m_macroButtonsEnabled);
    EXPECT_EQ(x.m_form.text16, y.m_form.text16);
    EXPECT_EQ(x.m_form.text32, y.m_form.text32);
    EXPECT_EQ(x.m_form.currentScreen, y.m_form.currentScreen);
    EXPECT_EQ(x.m_form.screenCounts, y.m_form.screenCounts);
    EXPECT_EQ(x.m_form.bankCurrents, y.m_form.bankCurrents);
    EXPECT_EQ(x.m_form.stepCount, y.m_form.stepCount);
    EXPECT_EQ(x.m_form.bankRadio, y.m_form.bankRadio);
    EXPECT_EQ(a.modified, b.modified);
}

// Twelve screens of distinct dots in every bank, both clips filled, both
// character texts, a macro of every step code with line 1 selected, screen 3
// of select1 current; recording as asked, the document as `modified`.
void Prepare(CTestSession& t, bool recording, bool modified) {
    CScreenStore& s = t.s();
    Word seed = 0x2545F491u;
    for (int bank = 0; bank < kBankCount; ++bank) {
        for (size_t i = 0; i < 12 * kWordsPerScreen; ++i)
            s.m_banks[bank][i] = Next(seed);
        s.m_screenCount[bank] = s.m_displayedCount[bank] = 12;
    }
    for (Word& word : s.m_screenClip)
        word = Next(seed);
    for (size_t i = 0; i < 5 * kWordsPerScreen; ++i)
        s.m_rangeClip[i] = Next(seed);
    s.m_rangeClipCount = 5;
    s.m_text16 = "あい";
    s.m_text32 = "字";
    for (int code = 1; code <= kStepCodeCount; ++code)
        s.m_macroCode += std::to_string(code) + ",";
    s.m_macroCode += "[3],";
    s.m_macroLines = MacroListLines(s.m_macroCode);
    s.m_macroSelection = 1;
    s.m_stepCount = static_cast<int>(s.m_macroLines.size());
    GoToScreen(t.view, 3);
    t.view.UpdateData(false);
    if (recording)
        t.Click(IDC_MACRO_RECORD);
    t.doc.SetModifiedFlag(modified);
    t.platform.text16Answers.push_back("字");
    t.platform.text32Answers.push_back("字");
}

// One way of using a command: a click, with or without SHIFT, or a scroll
// bar notification.
struct SGesture {
    const SCommand* command;
    bool shift;
    int scrollCode; // -1 for a click
};

std::vector<SGesture> EveryGesture() {
    std::vector<SGesture> gestures;
    for (const SCommand& command : CommandTable()) {
        if (IsHistoryCommand(command.id))
            continue;
        if (command.scroll != nullptr) {
            for (const int code : {SB_LINEUP, SB_LINEDOWN, SB_PAGERIGHT, SB_THUMBTRACK})
                gestures.push_back({&command, false, code});
            continue;
        }
        gestures.push_back({&command, false, -1});
        if (command.shift != nullptr)
            gestures.push_back({&command, true, -1});
    }
    return gestures;
}

TEST(Undo, EveryCommandIsTakenBackAndDoneAgainExactly) {
    int recorded = 0;
    for (const bool recording : {false, true}) {
        for (const SGesture& gesture : EveryGesture()) {
            const std::string what = "command " + std::to_string(gesture.command->id) +
                                     (gesture.shift ? " with SHIFT" : "") + " code " +
                                     std::to_string(gesture.scrollCode) +
                                     (recording ? " recording" : "");
            CTestSession t;
            Prepare(t, recording, recording);
            const CUndoHistory& history = t.view.UndoHistory();
            ASSERT_EQ(history.UndoCount(), 0u) << what;
            const SState before = Capture(t);

            t.platform.shiftDown = gesture.shift;
            if (gesture.scrollCode >= 0) {
                t.dispatch.OnScroll(gesture.command->id, gesture.scrollCode, 5);
                t.dispatch.OnScroll(gesture.command->id, SB_ENDSCROLL, 5);
            } else {
                t.Click(gesture.command->id);
            }
            t.platform.shiftDown = false;
            const SState after = Capture(t);

            const size_t records = history.UndoCount();
            if (SameData(before, after)) {
                EXPECT_EQ(records, 0u) << what << ": nothing changed, yet a record was kept";
                continue;
            }
            ASSERT_GE(records, 1u) << what << ": a change without a record";
            ASSERT_LE(records, gesture.scrollCode >= 0 ? 2u : 1u) << what;
            ++recorded;
            for (size_t i = 0; i < records; ++i)
                EXPECT_TRUE(t.Click(ID_EDIT_UNDO)) << what;
            ExpectSameState(Capture(t), before, what + ", undone");
            EXPECT_FALSE(CanUndo(t.view)) << what;
            for (size_t i = 0; i < records; ++i)
                EXPECT_TRUE(t.Click(ID_EDIT_REDO)) << what;
            ExpectSameState(Capture(t), after, what + ", redone");
            EXPECT_FALSE(CanRedo(t.view)) << what;
            // Undo is never recorded itself.
            EXPECT_EQ(t.s().m_macroCode, after.store.m_macroCode) << what;
        }
    }
    // RESET, and every recorded step while recording, at the least.
    EXPECT_GE(recorded, 10);
}

// Every bank full to screen `count` (and dots past it), screen `current` of
// select1 current, select2 and select3 at the same screen, both clips full:
// every run from the current screen reaches screen 800 or stops there.
void PrepareAtTheEnd(CTestSession& t, int count, int current) {
    CScreenStore& s = t.s();
    Word seed = 0x6C8E9CF5u;
    for (int bank = 0; bank < kBankCount; ++bank) {
        for (Word& word : s.ScreensAt(bank, 1, kMaxScreens))
            word = Next(seed);
        s.m_screenCount[bank] = s.m_displayedCount[bank] = count;
        s.m_bankCurrent[bank] = current;
    }
    for (Word& word : s.m_screenClip)
        word = Next(seed);
    for (Word& word : s.m_rangeClip.Screens(1, kMaxScreens))
        word = Next(seed);
    s.m_rangeClipCount = kMaxScreens - current + 1;
    GoToScreen(t.view, current);
    t.view.UpdateData(false);
    t.Click(IDC_MACRO_RECORD);
    t.platform.text16Answers.push_back("字");
    t.platform.text32Answers.push_back("字");
}

TEST(Undo, RunsThatReachScreen800AreTakenBackWhole) {
    int reaching = 0;
    for (const int count : {800, 799}) {
        for (const int current : {768, 776, 784, 788, 789, 799, 800}) {
            if (current > count)
                continue;
            for (const SGesture& gesture : EveryGesture()) {
                const std::string what = "command " + std::to_string(gesture.command->id) +
                                         (gesture.shift ? " with SHIFT" : "") + " code " +
                                         std::to_string(gesture.scrollCode) + " at " +
                                         std::to_string(current) + " of " + std::to_string(count);
                CTestSession t;
                PrepareAtTheEnd(t, count, current);
                const SState before = Capture(t);
                const std::vector<Word> last = t.Screen(0, kMaxScreens);
                t.platform.shiftDown = gesture.shift;
                if (gesture.scrollCode >= 0)
                    t.dispatch.OnScroll(gesture.command->id, gesture.scrollCode, 5);
                else
                    t.Click(gesture.command->id);
                t.platform.shiftDown = false;
                const SState after = Capture(t);
                if (SameData(before, after))
                    continue;
                bool changedLast = false;
                for (int bank = 0; bank < kBankCount; ++bank)
                    changedLast = changedLast || before.store.ScreenAt(bank, kMaxScreens)[0] !=
                                                     after.store.ScreenAt(bank, kMaxScreens)[0];
                reaching += changedLast ? 1 : 0;

                const size_t records = t.view.UndoHistory().UndoCount();
                ASSERT_GE(records, 1u) << what;
                for (size_t i = 0; i < records; ++i)
                    t.Click(ID_EDIT_UNDO);
                ExpectSameState(Capture(t), before, what + ", undone");
                EXPECT_EQ(t.Screen(0, kMaxScreens), last) << what;
                for (size_t i = 0; i < records; ++i)
                    t.Click(ID_EDIT_REDO);
                ExpectSameState(Capture(t), after, what + ", redone");
            }
        }
    }
    // The effects, the range forms, spaces, reversal and AND / OR write it.
    EXPECT_GE(reaching, 20);
}

TEST(Undo, RefusedAndViewOnlyActionsLeaveNoRecord) {
    CTestSession t;
    Dot(t, 1, 1);
    ASSERT_EQ(t.view.UndoHistory().UndoCount(), 1u);
    CTempDir dir;
    const std::string bad = dir.Path("bad.qvl");
    WriteBytes(bad, std::string(100, '\0'));

    t.platform.messageAnswers.push_back(IDNO);
    t.Click(IDC_RESET); // answered No
    EXPECT_FALSE(OpenAnimation(t.view, t.doc, bad));
    EXPECT_FALSE(OpenAnimation(t.view, t.doc, dir.Path("missing.qvl")));
    t.Click(IDC_LAST_SCREEN);
    t.Click(IDC_SELECT2);
    t.Click(IDC_SELECT1);
    t.dispatch.OnScroll(IDC_SCREEN_SCROLL, SB_LINEDOWN, 0);
    t.dispatch.OnScroll(IDC_SCREEN_SCROLL, SB_THUMBTRACK, 7);
    t.Click(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.Click(IDC_PLAY);
    t.Click(IDC_MACRO_RECORD);
    t.Click(IDC_MACRO_RECORD);
    t.Click(IDC_MACRO_BREAK);
    t.Click(IDC_MACRO_START);
    // Typing reaches the field when a command reads the form: no change.
    t.dispatch.OnEditChanged(IDC_TEXT16, "字");
    t.Click(IDC_SELECT1);
    // A press off the cells draws nothing.
    t.dispatch.OnMouse(EMouseMessage::LButtonDown, MK_LBUTTON, 600, 500);
    t.dispatch.OnMouse(EMouseMessage::LButtonUp, 0, 600, 500);
    // Lighting a lit dot marks the document but changes no data.
    t.Click(IDC_FIRST_SCREEN);
    Dot(t, 1, 1);

    EXPECT_EQ(t.view.UndoHistory().UndoCount(), 1u);
    EXPECT_EQ(UndoLabel(t.view), "ドット描画");
    EXPECT_FALSE(CanRedo(t.view));
    EXPECT_FALSE(t.Click(ID_EDIT_REDO) && CanRedo(t.view));
    // Undo of the dot puts the view back where the dot was drawn.
    t.Click(IDC_LAST_SCREEN);
    EXPECT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.s().m_currentScreen, 1);
    EXPECT_FALSE(TestDot(t.s().ScreenAt(0, 1).data(), 1, 1));
    EXPECT_EQ(t.s().m_form.text16, "字"); // typing is not taken back
}

TEST(Undo, KeepsTheLastHundredAndANewActionDropsTheRedoList) {
    CTestSession t;
    for (int i = 0; i < 101; ++i)
        Dot(t, i % 48, i / 48);
    const CUndoHistory& history = t.view.UndoHistory();
    EXPECT_EQ(history.UndoCount(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_FALSE(CanUndo(t.view));
    const auto screen = t.s().ScreenAt(0, 1);
    // The first dot's record went; the other hundred dots are gone again.
    EXPECT_TRUE(TestDot(screen.data(), 0, 0));
    for (int i = 1; i < 101; ++i)
        EXPECT_FALSE(TestDot(screen.data(), i % 48, i / 48)) << i;

    for (int i = 0; i < 3; ++i)
        t.Click(ID_EDIT_REDO);
    EXPECT_TRUE(TestDot(screen.data(), 3, 0));
    EXPECT_EQ(history.RedoCount(), 97u);
    Dot(t, 40, 30);
    EXPECT_EQ(history.RedoCount(), 0u);
    EXPECT_FALSE(t.Click(ID_EDIT_REDO) && CanRedo(t.view));
    EXPECT_FALSE(TestDot(screen.data(), 4, 0));
    EXPECT_EQ(history.UndoCount(), 4u);
}

TEST(Undo, WhileRecordingTakesTheStepOutAndRedoPutsItBack) {
    CTestSession t;
    t.Click(IDC_MACRO_RECORD);
    t.Click(IDC_SELECT2);
    Dot(t, 5, 5);
    t.Click(IDC_LAST_SCREEN);
    ASSERT_EQ(t.s().m_macroCode, "10,7,");
    EXPECT_EQ(UndoLabel(t.view), "最終");

    EXPECT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.s().m_macroCode, "10,");
    EXPECT_EQ(t.s().m_macroLines, std::vector<std::string>{"セレクト２"});
    EXPECT_EQ(t.s().m_stepCount, 1);
    EXPECT_EQ(t.s().m_form.stepCount, "1");
    EXPECT_EQ(UndoLabel(t.view), "ドット描画");
    EXPECT_EQ(RedoLabel(t.view), "最終");
    EXPECT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_FALSE(TestDot(t.s().ScreenAt(1, 1).data(), 5, 5));
    EXPECT_EQ(t.s().m_macroCode, "10,");
    EXPECT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.s().m_macroCode, "");
    EXPECT_TRUE(t.s().m_macroLines.empty());
    EXPECT_EQ(t.s().m_currentBank, 0);

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(t.Click(ID_EDIT_REDO));
    EXPECT_EQ(t.s().m_macroCode, "10,7,");
    EXPECT_EQ(t.s().m_macroLines, (std::vector<std::string>{"セレクト２", "最終"}));
    EXPECT_EQ(t.s().m_macroSelection, 1);
    EXPECT_TRUE(TestDot(t.s().ScreenAt(1, 1).data(), 5, 5));

    // Never during a playback, nor in the middle of a drag.
    t.s().m_playback = 1;
    EXPECT_FALSE(CanUndo(t.view));
    EXPECT_FALSE(t.Click(ID_EDIT_UNDO) && t.s().m_macroCode != "10,7,");
    EXPECT_EQ(t.s().m_macroCode, "10,7,");
    t.s().m_playback = 0;
    Press(t, 6, 6);
    EXPECT_FALSE(CanUndo(t.view));
    Release(t);
    EXPECT_TRUE(CanUndo(t.view));
}

TEST(Undo, ADragAndAPlaybackAreOneRecordEach) {
    CTestSession t;
    Press(t, 0, 0);
    Move(t, 10, 3);
    Move(t, 20, 3);
    Release(t);
    Press(t, 10, 3, false);
    Move(t, 12, 3, false);
    Release(t, false);
    const CUndoHistory& history = t.view.UndoHistory();
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_EQ(UndoLabel(t.view), "ドット消去");
    t.Click(ID_EDIT_UNDO);
    EXPECT_TRUE(TestDot(t.s().ScreenAt(0, 1).data(), 11, 3));
    t.Click(ID_EDIT_UNDO);
    for (const Word word : t.s().ScreenAt(0, 1))
        EXPECT_EQ(word, 0u);

    // A macro's steps run inside the one frame of "MacroStart": here steps
    // that each write a screen through a frame of their own, as the bitmap
    // import calls handlers, join the record of the playback.
    SReplayTable replay;
    replay.operations[1] = [](CViewCore& view) {
        const CUndoScope inner(view, "inner");
        SetDot(view.Store().CurrentScreenWords().data(), 2, 2);
        return true;
    };
    replay.goToScreen = GoToScreen;
    t.s().m_macroCode = "1,[4],1,[9],1,";
    {
        const CUndoScope playback(t.view, CommandName(IDC_MACRO_START));
        PlayMacro(t.view, replay);
    }
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(UndoLabel(t.view), "MacroStart");
    t.Click(ID_EDIT_UNDO);
    for (const int n : {1, 4, 9})
        EXPECT_FALSE(TestDot(t.s().ScreenAt(0, n).data(), 2, 2)) << n;
    EXPECT_EQ(t.s().m_currentScreen, 1);
    t.Click(ID_EDIT_REDO);
    for (const int n : {1, 4, 9})
        EXPECT_TRUE(TestDot(t.s().ScreenAt(0, n).data(), 2, 2)) << n;
    EXPECT_EQ(t.s().m_currentScreen, 9);
}

TEST(Undo, NewOpenAndResetComeBack) {
    CTestSession t;
    CTempDir dir;
    // A three-screen file whose first word lights the top-left dot.
    const std::string path = dir.Path("three.qvl");
    std::string bytes(3 * kScreenBytes, '\0');
    bytes[3] = '\x80';
    WriteBytes(path, bytes);

    t.Click(IDC_SELECT2);
    Dot(t, 7, 7);
    GoToScreen(t.view, 11); // past the file's screens: kept by the open
    Dot(t, 8, 8);
    t.s().m_screenCount[1] = 12;
    const CScreenStore drawn = t.s();
    ASSERT_TRUE(t.doc.IsModified());

    ASSERT_TRUE(OpenAnimation(t.view, t.doc, path));
    EXPECT_EQ(t.s().m_screenCount[1], 3);
    EXPECT_FALSE(t.doc.IsModified());
    EXPECT_EQ(UndoLabel(t.view), "開く");
    t.Click(ID_EDIT_UNDO);
    EXPECT_TRUE(t.s().m_banks[1] == drawn.m_banks[1]);
    EXPECT_EQ(t.s().m_screenCount[1], 12);
    EXPECT_EQ(t.s().m_currentScreen, 11);
    EXPECT_TRUE(t.doc.IsModified());
    // The document is again the one whose screens are shown.
    EXPECT_EQ(t.doc.Title(), "無題");
    EXPECT_EQ(t.doc.PathName(), "");
    t.Click(ID_EDIT_REDO);
    EXPECT_EQ(t.s().m_banks[1][0], 0x80000000u);
    EXPECT_EQ(t.s().m_screenCount[1], 3);
    EXPECT_FALSE(t.doc.IsModified());
    EXPECT_EQ(t.doc.Title(), "three.qvl");
    EXPECT_EQ(t.doc.PathName(), path);

    NewAnimation(t.view, t.doc);
    EXPECT_EQ(t.s().m_banks[1][0], 0u);
    EXPECT_EQ(UndoLabel(t.view), "新規作成");
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.s().m_banks[1][0], 0x80000000u);

    t.Click(IDC_RESET);
    EXPECT_EQ(t.s().m_currentBank, 0);
    EXPECT_EQ(t.s().m_screenCount[1], 10);
    EXPECT_EQ(UndoLabel(t.view), "RESET");
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.s().m_currentBank, 1);
    EXPECT_EQ(t.s().m_screenCount[1], 3);
    EXPECT_TRUE(t.s().m_banks[1] == t.s().m_banks[1]);
    EXPECT_EQ(t.s().m_banks[1][0], 0x80000000u);
    EXPECT_TRUE(TestDot(t.s().ScreenAt(1, 11).data(), 8, 8));
}

TEST(Undo, SavingKeepsTheHistoryAndOnlyTheSavedStateIsUnmodified) {
    CTestSession t;
    CTempDir dir;
    Dot(t, 1, 1);
    Dot(t, 2, 2);
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, dir.Path("saved.qvl")));
    EXPECT_FALSE(t.doc.IsModified());
    EXPECT_EQ(t.view.UndoHistory().UndoCount(), 2u);
    t.Click(ID_EDIT_UNDO);
    EXPECT_TRUE(t.doc.IsModified()); // the file holds the second dot
    t.Click(ID_EDIT_UNDO);
    EXPECT_TRUE(t.doc.IsModified()); // nor is the blank screen the file's now
    t.Click(ID_EDIT_REDO);
    t.Click(ID_EDIT_REDO);
    EXPECT_FALSE(t.doc.IsModified());
}

TEST(Undo, CharacterTextsComeBackOnlyWhenAnActionChangedThem) {
    CTestSession t;
    t.view.UpdateData(false);
    {
        // What playing step 12 does with the dialog's text.
        const CUndoScope undo(t.view, "文字取込１６×１６ドット");
        t.s().m_text16 = "字";
        t.view.UpdateData(false);
    }
    EXPECT_EQ(t.view.UndoHistory().UndoCount(), 1u);
    t.dispatch.OnEditChanged(IDC_TEXT32, "漢");
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.s().m_text16, "");
    EXPECT_EQ(t.s().m_form.text16, "");
    t.Click(ID_EDIT_REDO);
    EXPECT_EQ(t.s().m_text16, "字");
    EXPECT_EQ(t.s().m_form.text16, "字");
}

TEST(Undo, ARecordKeepsOnlyTheScreensThatChanged) {
    CTestSession t;
    CScreenStore& s = t.s();
    for (const int n : {5, 6, 700})
        s.ScreenAt(1, n)[7] = 0x1234u;
    const CScreenBank before = s.m_banks[1];
    {
        // Through the raw words the whole bank is taken, then all but the
        // three screens that changed are let go.
        const CUndoScope undo(t.view, "clear");
        std::fill(s.m_banks[1].begin(), s.m_banks[1].end(), Word{0});
    }
    const CUndoHistory& history = t.view.UndoHistory();
    ASSERT_EQ(history.UndoCount(), 1u);
    EXPECT_LT(history.Bytes(), 3 * size_t{kScreenBytes} + 4096);
    t.Click(ID_EDIT_UNDO);
    EXPECT_TRUE(s.m_banks[1] == before);
    t.Click(ID_EDIT_REDO);
    EXPECT_TRUE(s.m_banks[1] == std::vector<Word>(kWordsPerBank, 0));

#ifndef NDEBUG
    // A writer that walks past the one screen ScreenAt gave it would leave
    // undo blind to the screens after; debug builds stop it at once.
    EXPECT_DEATH(
        {
            const CUndoScope undo(t.view, "past the span");
            s.ScreenAt(0, 1).data()[kWordsPerScreen] = 1u;
        },
        "screen 2 of buffer 0 was written without being noted");
#endif
}

#if !defined(__SANITIZE_ADDRESS__)
// Resident memory of this process in bytes, from /proc. (The sanitizers
// keep freed memory aside, so their builds do not measure it.)
size_t ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            size_t kb = 0;
            status >> kb;
            return kb * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}
#endif

// Every screen of the bank becomes the current one, as "全スクリーンへコピー"
// does, in one record.
void CopyToAllScreens(CViewCore& view) {
    const CUndoScope undo(view, "全スクリーンへコピー");
    CScreenStore& s = view.Store();
    const auto current = s.ScreenAt(s.m_currentBank, s.m_currentScreen);
    const std::vector<Word> picture(current.begin(), current.end());
    const std::span<Word> all = s.ScreensAt(s.m_currentBank, 1, kMaxScreens);
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = picture[i % kWordsPerScreen];
}

TEST(Undo, MemoryStaysWithinTheBounds) {
    CTestSession t;
    CScreenStore& s = t.s();
    Word seed = 7;
    for (int bank = 0; bank < kBankCount; ++bank)
        for (Word& word : s.m_banks[bank])
            word = Next(seed);
    s.m_screenCount.fill(kMaxScreens);
    const CUndoHistory& history = t.view.UndoHistory();

    // 120 copies to all screens of a full bank, each of a different picture:
    // every record holds the 799 other screens.
    for (int i = 0; i < 120; ++i) {
        GoToScreen(t.view, 1 + i % kMaxScreens);
        s.CurrentScreenWords()[0] ^= 1u; // unrecorded, so each copy differs
        CopyToAllScreens(t.view);
    }
    EXPECT_EQ(history.UndoCount(), 100u);
    const size_t screenBytes = size_t{799} * kScreenBytes;
    EXPECT_GE(history.Bytes(), 100 * screenBytes);
    EXPECT_LE(history.Bytes(), 100 * (screenBytes + 4096));
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(ResidentBytes(), size_t{60} << 20);
#endif

    // Records of all three banks and the range clip reach 32 MiB before a
    // hundred of them do.
    for (int i = 0; i < 70; ++i) {
        const CUndoScope undo(t.view, "every screen");
        for (int bank = 0; bank < kBankCount; ++bank)
            for (Word& word : s.m_banks[bank])
                word = Next(seed);
        for (Word& word : s.m_rangeClip)
            word = Next(seed);
    }
    EXPECT_LE(history.Bytes(), CUndoHistory::kMaxBytes);
    EXPECT_LT(history.UndoCount(), 60u);
    EXPECT_GT(history.UndoCount(), 40u);
    // The newest is whole: it gives back the words before it.
    const CScreenBank last = s.m_banks[2];
    t.Click(ID_EDIT_UNDO);
    EXPECT_FALSE(s.m_banks[2] == last);
    t.Click(ID_EDIT_REDO);
    EXPECT_TRUE(s.m_banks[2] == last);
}

} // namespace
