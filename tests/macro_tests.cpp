#include "TestSession.h"

#include "app/DocumentCommands.h"
#include "app/QvlFormat.h"
#include "macro/MacroFile.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroRecorder.h"
#include "macro/MacroScanner.h"
#include "macro/StepTable.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Tokens(const std::string& code) {
    std::vector<std::string> tokens;
    CMacroScanner scanner(code);
    while (const auto token = scanner.Next())
        tokens.emplace_back(*token);
    return tokens;
}

// A session with recording switched on by a click on "MacroRecord".
struct CRecordingSession : CTestSession {
    CRecordingSession() { Click(IDC_MACRO_RECORD); }
};

TEST(StepTable, CodesLabelsAndTokens) {
    ASSERT_EQ(StepTable().size(), 42u);
    for (int code = 1; code <= 42; ++code)
        EXPECT_EQ(FindStep(code)->code, code);
    EXPECT_EQ(FindStep(0), nullptr);
    EXPECT_EQ(FindStep(43), nullptr);
    // Option codes are not in button order; SHIFT forms carry an ideographic space.
    EXPECT_STREQ(FindStep(31)->label, "オプション４");
    EXPECT_STREQ(FindStep(42)->label, "オプション３");
    EXPECT_STREQ(FindStep(14)->label, "コピー\u3000＋ＳＨＩＦＴ");

    EXPECT_EQ(StepCodeOf("1"), 1);
    EXPECT_EQ(StepCodeOf("42"), 42);
    for (const char* token : {"", "0", "43", "01", "+1", " 1", "1 ", "1a", "100", "[1]"})
        EXPECT_EQ(StepCodeOf(token), 0) << token;
}

TEST(MacroScanner, TokensEndAtAnEmptyTokenOrAFragment) {
    EXPECT_EQ(Tokens("1,[5],14,"), (Lines{"1", "[5]", "14"}));
    EXPECT_EQ(Tokens(",1,2,"), Lines{});
    EXPECT_EQ(Tokens("1,,2,"), Lines{"1"});
    EXPECT_EQ(Tokens("1,2"), Lines{"1"});
    EXPECT_EQ(Tokens(""), Lines{});
    EXPECT_EQ(Tokens("x,\n"), Lines{"x"});

    // The number runs to the first "]" of the rest, even past the comma.
    CMacroScanner scanner("[12,],[3],[4,5,");
    ASSERT_TRUE(scanner.Next());
    EXPECT_EQ(scanner.GoToScreenText(), "12,");
    ASSERT_TRUE(scanner.Next()); // "]"
    ASSERT_TRUE(scanner.Next());
    EXPECT_EQ(scanner.GoToScreenText(), "3");
    ASSERT_TRUE(scanner.Next());
    EXPECT_EQ(scanner.GoToScreenText(), "");
    ASSERT_TRUE(scanner.Next()); // "5"
    EXPECT_FALSE(scanner.Next());
    // The second byte of ‐ (81 5D) or ー (81 5B) is no bracket.
    for (const auto& [code, text] : std::vector<std::pair<std::string, std::string>>{
             {"[5\x81\x5D],", "5\x81\x5D"},
             {"[5\x81\x5D,", ""},
             {"[5\x81,],", "5\x81,"},
             {"[\x81\x5B\x81\x5D,x\x81\x5D],", "\x81\x5B\x81\x5D,x\x81\x5D"}}) {
        CMacroScanner cp932(code);
        ASSERT_TRUE(cp932.Next());
        EXPECT_EQ(cp932.GoToScreenText(), text) << code;
    }
    EXPECT_EQ(MacroListLines("[5\x81\x5D],"), Lines{"5‐"});
    EXPECT_EQ(AtoiLike(" 42x"), 42);
    EXPECT_EQ(AtoiLike("-3"), -3);
    EXPECT_EQ(AtoiLike("abc"), 0);
    EXPECT_EQ(AtoiLike("99999999999"), 2147483647);
}

TEST(MacroList, RebuildShowsKnownTokensOnly) {
    EXPECT_EQ(MacroListLines("1,[7],99,13"), (Lines{"上へスクロール", "7"}));
    EXPECT_EQ(MacroListLines(",1,2,"), Lines{});
    EXPECT_EQ(MacroListLines("[007],[x],"), (Lines{"007", "x"}));
    // The bytes of a macro are code page 932.
    EXPECT_EQ(MacroListLines("[\x82\x54],[\xFB\xFC\xA0],"), (Lines{"５", "髙\uFFFD"}));

    CTestSession t;
    t.s().m_macroCode = "9,[3],8,";
    t.s().m_macroSelection = 1;
    RebuildMacroList(t.view);
    EXPECT_EQ(t.s().m_macroLines, (Lines{"セレクト１", "3", "最初"}));
    EXPECT_EQ(t.s().m_macroSelection, -1);
    EXPECT_EQ(t.s().m_stepCount, 3);
    EXPECT_EQ(t.s().m_form.stepCount, "3");
    EXPECT_GT(t.platform.macroListChangedCount, 0);
}

TEST(Recording, NothingIsRecordedWhileRecordingIsOff) {
    CTestSession t;
    t.Click(IDC_SELECT2);
    t.Click(IDC_FIRST_SCREEN);
    RecordStep(t.view, EStep(1));
    EXPECT_EQ(t.s().m_macroCode, "");
    EXPECT_TRUE(t.s().m_macroLines.empty());
}

TEST(Recording, StepsAppendTokensAndSelectTheLastLine) {
    CRecordingSession t;
    EXPECT_EQ(t.s().m_recording, 1);
    RecordStep(t.view, EStep(1));
    RecordStep(t.view, EStep(2));
    RecordStep(t.view, EStep(14));
    EXPECT_EQ(t.s().m_macroCode, "1,2,14,");
    EXPECT_EQ(t.s().m_macroLines,
              (Lines{"上へスクロール", "下へスクロール", "コピー　＋ＳＨＩＦＴ"}));
    EXPECT_EQ(t.s().m_macroSelection, 2);
    EXPECT_EQ(t.s().m_stepCount, 3);
    EXPECT_EQ(t.s().m_form.stepCount, "3");

    // Clicking "MacroRecord" again stops recording.
    t.Click(IDC_MACRO_RECORD);
    RecordStep(t.view, EStep(3));
    EXPECT_EQ(t.s().m_macroCode, "1,2,14,");
}

TEST(Recording, ButtonsRecordTheirSteps) {
    CRecordingSession t;
    t.Click(IDC_SELECT2);
    t.Click(IDC_LAST_SCREEN);
    t.Click(IDC_FIRST_SCREEN);
    t.Click(IDC_SELECT3);
    t.Click(IDC_SELECT1);
    t.Click(IDC_PLAY);  // never recorded
    t.Click(IDC_RESET); // never recorded
    EXPECT_EQ(t.s().m_macroCode, "10,7,8,11,9,");
    EXPECT_EQ(t.s().m_macroLines,
              (Lines{"セレクト２", "最終", "最初", "セレクト３", "セレクト１"}));
}

TEST(Recording, AStepRecordedDuringAnInsertGoesBeforeTheSelectedLine) {
    CRecordingSession t;
    t.s().m_macroCode = "1,2,";
    RebuildMacroList(t.view);
    // What "MacroIns" leaves behind with line 0 selected.
    t.s().m_heldCode = t.s().m_macroCode;
    t.s().m_macroCode.clear();
    t.s().m_insertPos = 0;
    EnableMacroButtons(t.view, false);
    EXPECT_FALSE(t.platform.IsEnabled(IDC_MACRO_START));

    RecordStep(t.view, EStep(5));
    EXPECT_EQ(t.s().m_macroCode, "5,1,2,");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"右へスクロール", "上へスクロール", "下へスクロール"}));
    EXPECT_EQ(t.s().m_insertPos, -1);
    EXPECT_EQ(t.s().m_stepCount, 3);
    for (int id : {IDC_MACRO_START, IDC_MACRO_SAVE, IDC_MACRO_RECORD, IDC_MACRO_LOAD, IDC_MACRO_INS,
                   IDC_MACRO_DEL, IDC_MACRO_CLEAR, IDC_MACRO_EXPORT, IDC_OPTIMIZE})
        EXPECT_TRUE(t.platform.IsEnabled(id)) << id;
    EXPECT_TRUE(t.s().m_macroButtonsEnabled);

    // The next step is appended again.
    RecordStep(t.view, EStep(8));
    EXPECT_EQ(t.s().m_macroCode, "5,1,2,8,");
    EXPECT_EQ(t.s().m_macroSelection, 3);
}

TEST(Recording, InsertBeforeALaterLineAndPastTheEnd) {
    CRecordingSession t;
    t.s().m_heldCode = "1,[4],3,";
    t.s().m_macroLines = {"上へスクロール", "4", "前後反転"};
    t.s().m_insertPos = 2;
    RecordGoToScreen(t.view, 9);
    EXPECT_EQ(t.s().m_macroCode, "1,[4],[9],3,");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"上へスクロール", "4", "9", "前後反転"}));

    // A held string with fewer tokens than the position never loses the step.
    t.s().m_heldCode = "1,";
    t.s().m_macroCode.clear();
    t.s().m_insertPos = 3;
    RecordStep(t.view, EStep(2));
    EXPECT_EQ(t.s().m_macroCode, "1,2,");
}

class Playback : public ::testing::Test {
protected:
    Playback() {
        const std::vector<Word> words(20 * kWordsPerScreen, 0);
        WriteBytes(dir.Path("twenty.qvl"), EncodeQvl(words.data(), words.size()));
        EXPECT_TRUE(OpenAnimation(t.view, t.doc, dir.Path("twenty.qvl")));
    }
    void Play(const std::string& code) {
        t.s().m_macroCode = code;
        RebuildMacroList(t.view);
        t.Click(IDC_MACRO_START);
    }

    CTempDir dir;
    CTestSession t;
};

TEST_F(Playback, RunsEveryTokenWithoutRecording) {
    t.Click(IDC_MACRO_RECORD);
    Play("8,[5],7,");
    EXPECT_EQ(t.s().m_currentScreen, 20);
    EXPECT_EQ(t.s().m_macroCode, "8,[5],7,");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"最初", "5", "最終"}));
    EXPECT_EQ(t.s().m_playback, 0);

    Play("10,[3],9,");
    EXPECT_EQ(t.s().m_currentBank, 0);
    EXPECT_EQ(t.s().m_bankCurrent[1], 3);
    EXPECT_EQ(t.s().m_currentScreen, 20);
}

TEST_F(Playback, GoToScreenNumbersArePulledInto1To800) {
    Play("[900],");
    EXPECT_EQ(t.s().m_currentScreen, 800);
    EXPECT_EQ(t.platform.ShownScrollPos(), 20); // the bar stops at its last position
    Play("[0],");
    EXPECT_EQ(t.s().m_currentScreen, 1);
    Play("[12],[-4],");
    EXPECT_EQ(t.s().m_currentScreen, 1);
    Play("[7,"); // no "]": the number is empty
    EXPECT_EQ(t.s().m_currentScreen, 1);
    Play("[6]junk,");
    EXPECT_EQ(t.s().m_currentScreen, 6);
    EXPECT_EQ(t.s().m_bankCurrent[0], 6);
    EXPECT_EQ(t.s().m_form.currentScreen, "6");
}

TEST_F(Playback, BreakStepStopsAfterThatManyTokens) {
    const std::string macro = "[2],99,[4],[5],";
    for (const auto& [breakStep, screen] : std::vector<std::pair<int, int>>{
             {0, 5}, {1, 2}, {2, 2}, {3, 4}, {4, 5}, {9, 5}, {-1, 5}}) {
        SCOPED_TRACE(breakStep);
        t.s().m_breakStep = breakStep;
        GoToFirst(t.view);
        Play(macro);
        EXPECT_EQ(t.s().m_currentScreen, screen);
    }
}

TEST_F(Playback, BreakStepIsReadAsTheOperationsLeaveIt) {
    // The box says 1 but was never taken into the field; the bank selection
    // reads the form, and from then on the break step is 1.
    t.s().m_macroCode = "9,[4],";
    RebuildMacroList(t.view);
    t.dispatch.OnEditChanged(IDC_BREAK_STEP, "1");
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.s().m_breakStep, 1);
    EXPECT_EQ(t.s().m_currentScreen, 1);
}

TEST_F(Playback, MacroBreakTakesTheSelectedLine) {
    Play("[2],[3],[4],[5],[6],");
    t.dispatch.OnListSelect(2);
    t.Click(IDC_MACRO_BREAK);
    EXPECT_EQ(t.s().m_breakFlag, 1);
    EXPECT_EQ(t.s().m_breakStep, 3);
    EXPECT_EQ(t.s().m_form.breakStep, "3");
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.s().m_currentScreen, 4);

    t.Click(IDC_MACRO_BREAK); // released
    EXPECT_EQ(t.s().m_breakFlag, 0);
    EXPECT_EQ(t.s().m_breakStep, 0);
    EXPECT_EQ(t.s().m_macroSelection, -1);
    EXPECT_EQ(t.s().m_macroLines.size(), 5u);
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.s().m_currentScreen, 6);

    // Pressed with no line selected: no break.
    t.Click(IDC_MACRO_BREAK);
    EXPECT_EQ(t.s().m_breakStep, 0);
}

TEST(MacroFile, LoadTakesTheBytesAndRefusesLargeFiles) {
    CTempDir dir;
    CTestSession t;
    WriteBytes(dir.Path("a.mcr"), "1,[5],14,\n");
    ASSERT_TRUE(LoadMacroFile(t.view, dir.Path("a.mcr")));
    EXPECT_EQ(t.s().m_macroCode, "1,[5],14,\n");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"上へスクロール", "5", "コピー　＋ＳＨＩＦＴ"}));

    WriteBytes(dir.Path("full.mcr"), std::string(8190, '1') + ",\n");
    EXPECT_TRUE(LoadMacroFile(t.view, dir.Path("full.mcr")));
    EXPECT_EQ(t.s().m_macroCode.size(), 8192u);

    WriteBytes(dir.Path("big.mcr"), std::string(8193, ','));
    EXPECT_FALSE(LoadMacroFile(t.view, dir.Path("big.mcr")));
    EXPECT_EQ(t.MessageTexts().back(), "マクロファイルが 8192 バイトを超えています。");
    EXPECT_EQ(t.s().m_macroCode.size(), 8192u);

    EXPECT_FALSE(LoadMacroFile(t.view, dir.Path("none.mcr")));
    EXPECT_EQ(t.MessageTexts().back(), dir.Path("none.mcr") + " が見つかりません。");
}

} // namespace
