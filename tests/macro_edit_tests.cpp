// Editing a recorded macro (insert, delete, clear), optimization, and the
// edges of playback: dialogs, refusals and a step that ends the playback.

#include "TestSession.h"

#include "macro/MacroOptimizer.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "store/FileIo.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

namespace {

using Lines = std::vector<std::string>;

constexpr int kMacroButtons[] = {IDC_MACRO_START, IDC_MACRO_SAVE,   IDC_MACRO_RECORD,
                                 IDC_MACRO_LOAD,  IDC_MACRO_INS,    IDC_MACRO_DEL,
                                 IDC_MACRO_CLEAR, IDC_MACRO_EXPORT, IDC_OPTIMIZE};

// A session holding the macro `code` with its list, optionally recording.
struct CMacroSession : CTestSession {
    explicit CMacroSession(const std::string& code, bool recording = false) {
        if (recording)
            Click(IDC_MACRO_RECORD);
        s().m_macroCode = code;
        RebuildMacroList(view);
    }
    int EnabledButtons() const {
        int enabled = 0;
        for (const int id : kMacroButtons)
            enabled += platform.IsEnabled(id) ? 1 : 0;
        return enabled;
    }
};

TEST(MacroEditing, DeleteRewritesTheMacroWithoutTheSelectedToken) {
    CMacroSession t("1,2,3,");
    t.dispatch.OnListSelect(1);
    t.Click(IDC_MACRO_DEL);
    EXPECT_EQ(t.s().m_macroCode, "1,3,");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"上へスクロール", "前後反転"}));
    EXPECT_EQ(t.s().m_form.stepCount, "2");
    EXPECT_EQ(t.s().m_macroSelection, -1);

    // Nothing selected: the list stays, what the scan never reaches goes.
    for (const auto& [code, kept] : std::vector<std::pair<std::string, std::string>>{
             {"1,2,3", "1,2,"}, {"1,,2,", "1,"}, {",1,", ""}, {"1,2,\n", "1,2,"}}) {
        CMacroSession u(code);
        u.Click(IDC_MACRO_DEL);
        EXPECT_EQ(u.s().m_macroCode, kept) << code;
        EXPECT_EQ(u.s().m_macroLines, MacroListLines(code)) << code;
    }
}

TEST(MacroEditing, LinesStandForTheirTokensPastTokensThatShowNoLine) {
    // An edited macro file may hold tokens that show no line; deleting,
    // inserting and the break take the token of the line the user sees.
    struct SCase {
        std::string code;
        int line;
        std::string deleted;  // the code after "MacroDel" on the line
        std::string inserted; // the code after "MacroIns" on the line and Button4
        int breakStep;        // "MacroBreak" on the line
    };
    for (const SCase& c :
         std::vector<SCase>{{"99,1,2,", 0, "99,2,", "99,4,1,2,", 2},
                            {"99,1,2,", 1, "99,1,", "99,1,4,2,", 3},
                            {"1,x,,2,", 0, "x,", "4,1,x,", 1},
                            {"x,[3],y,z,[5],", 1, "x,[3],y,z,", "x,[3],y,z,4,[5],", 5},
                            {"1,2,3,", 1, "1,3,", "1,4,2,3,", 2}}) {
        SCOPED_TRACE(c.code + " line " + std::to_string(c.line));
        CMacroSession del(c.code);
        del.dispatch.OnListSelect(c.line);
        del.Click(IDC_MACRO_DEL);
        EXPECT_EQ(del.s().m_macroCode, c.deleted);
        EXPECT_EQ(del.s().m_macroLines, MacroListLines(c.deleted));

        CMacroSession ins(c.code, true);
        ins.dispatch.OnListSelect(c.line);
        ins.Click(IDC_MACRO_INS);
        ins.Click(IDC_BUTTON4);
        EXPECT_EQ(ins.s().m_macroCode, c.inserted);
        EXPECT_EQ(ins.s().m_macroLines, MacroListLines(c.inserted));

        CMacroSession brk(c.code);
        brk.dispatch.OnListSelect(c.line);
        brk.Click(IDC_MACRO_BREAK);
        EXPECT_EQ(brk.s().m_breakStep, c.breakStep);
    }

    // The deleted step no longer plays, and the break stops after the
    // selected line's step.
    CMacroSession t("99,[3],");
    t.dispatch.OnListSelect(0);
    t.Click(IDC_MACRO_DEL);
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.s().m_currentScreen, 1);
    CMacroSession u("[2],99,[4],[5],");
    u.dispatch.OnListSelect(1);
    u.Click(IDC_MACRO_BREAK);
    u.Click(IDC_MACRO_START);
    EXPECT_EQ(u.s().m_currentScreen, 4);
}

TEST(MacroEditing, InsertPutsTheNextStepBeforeTheSelectedLine) {
    CMacroSession t("1,2,3,", true);
    t.dispatch.OnListSelect(1);
    t.Click(IDC_MACRO_INS);
    EXPECT_EQ(t.s().m_heldCode, "1,2,3,");
    EXPECT_EQ(t.s().m_macroCode, "");
    EXPECT_EQ(t.s().m_macroLines.size(), 3u);
    EXPECT_EQ(t.EnabledButtons(), 0);
    EXPECT_TRUE(t.platform.IsEnabled(IDC_MACRO_BREAK));

    t.Click(IDC_SELECT2);
    EXPECT_EQ(t.s().m_macroCode, "1,10,2,3,");
    EXPECT_EQ(t.s().m_macroLines,
              (Lines{"上へスクロール", "セレクト２", "下へスクロール", "前後反転"}));
    EXPECT_EQ(t.s().m_insertPos, -1);
    EXPECT_EQ(t.EnabledButtons(), 9);
    EXPECT_EQ(t.s().m_macroSelection, 2); // still on the line that was selected
    t.Click(IDC_SELECT1);                 // exactly one step went in
    EXPECT_EQ(t.s().m_macroCode, "1,10,2,3,9,");

    // Without a selection, or with recording off, nothing happens.
    for (const bool recording : {true, false}) {
        CMacroSession u("1,2,", recording);
        if (!recording)
            u.dispatch.OnListSelect(0);
        u.Click(IDC_MACRO_INS);
        EXPECT_EQ(u.s().m_insertPos, -1);
        EXPECT_EQ(u.s().m_macroCode, "1,2,");
        EXPECT_TRUE(u.platform.enableCalls.empty());
    }
}

TEST(MacroEditing, ReleasingTheBreakDuringAnInsertKeepsTheList) {
    CMacroSession t("1,2,", true);
    t.dispatch.OnListSelect(1);
    t.Click(IDC_MACRO_INS);
    t.Click(IDC_MACRO_BREAK); // pressed
    t.Click(IDC_MACRO_BREAK); // released: the list is refilled
    EXPECT_EQ(t.s().m_macroLines, (Lines{"上へスクロール", "下へスクロール"}));
    t.Click(IDC_SELECT3);
    EXPECT_EQ(t.s().m_macroCode, "1,11,2,");
    EXPECT_EQ(t.s().m_macroLines, MacroListLines("1,11,2,"));
}

TEST(MacroEditing, ClearKeepsTheBreak) {
    CMacroSession t("1,[4],2,");
    t.dispatch.OnListSelect(1);
    t.Click(IDC_MACRO_BREAK);
    t.Click(IDC_MACRO_CLEAR);
    EXPECT_EQ(t.s().m_macroCode, "");
    EXPECT_TRUE(t.s().m_macroLines.empty());
    EXPECT_EQ(t.s().m_form.stepCount, "0");
    EXPECT_EQ(t.s().m_form.breakStep, "2");
    EXPECT_TRUE(t.s().m_form.breakFlag);
}

TEST(MacroOptimization, RunsOfGoToScreenStepsKeepTheirLastStep) {
    CMacroSession t("[3],[4],[5],1,[6],[7],");
    t.Click(IDC_OPTIMIZE);
    EXPECT_EQ(t.s().m_macroCode, "[5],1,[7],");
    EXPECT_EQ(t.s().m_macroLines, (Lines{"5", "上へスクロール", "7"}));
    EXPECT_EQ(t.s().m_form.stepCount, "3");

    for (const auto& [code, optimized] : std::vector<std::pair<std::string, std::string>>{
             {"1,2,14,", "1,2,14,"},           // no go-to-screen step
             {"1,[4],2,", "1,[4],2,"},         // a single one stays in place
             {"[1],x,[2],[3],", "[1],x,[3],"}, // an unknown token ends a run
             {"[10],[200],[3],", "[3],"},      // tokens of different lengths
             {"[1],[2],\n", "[2],"},           // the trailing fragment goes
             {"[1],,[2],[3],", "[1],"}}) {     // the scan ends at an empty token
        EXPECT_EQ(OptimizedMacroCode(code), optimized) << code;
        EXPECT_EQ(OptimizedMacroCode(optimized), optimized) << code;
    }
}

// A random macro code string: mostly the pieces tokens are made of (step
// codes, go-to-screen tokens with and without their "]", numbers, commas,
// brackets, blanks, signs), now and then any byte.
std::string RandomMacroBytes(std::mt19937& rng) {
    static const char* const kPieces[] = {",", ",", ",",  "[",  "]",        "-",        "+",   " ",
                                          "x", "0", ",,", "\n", "\x82\x54", "\x81\x5D", "\x81"};
    std::string code;
    const unsigned pieces = rng() % 24;
    for (unsigned i = 0; i < pieces; ++i) {
        switch (rng() % 6) {
        case 0:
        case 1:
            code += std::to_string(1 + rng() % 44) + ",";
            break;
        case 2:
            code += "[" + std::to_string(rng() % 14) + (rng() % 3 == 0 ? "" : "]") + ",";
            break;
        case 3:
            code += std::to_string(rng() % 1000);
            break;
        case 4:
            code += kPieces[rng() % std::size(kPieces)];
            break;
        default:
            code += static_cast<char>(rng() % 256);
            break;
        }
    }
    return code;
}

// A session whose banks hold screens of random dots, the same for the same
// seed, that plays `code` from screen 3 of select2.
struct CPlayedMacro : CTestSession {
    CPlayedMacro(unsigned seed, const std::string& code) {
        std::mt19937 rng(seed);
        for (int bank = 0; bank < kBankCount; ++bank) {
            s().m_screenCount[bank] = s().m_displayedCount[bank] = 4 + bank * 3;
            for (int n = 1; n <= s().m_screenCount[bank]; ++n)
                for (Word& word : s().ScreenAt(bank, n))
                    word = static_cast<Word>(rng() & rng());
        }
        SelectBank(view, 1);
        GoToScreen(view, 3);
        s().m_macroCode = code;
        Click(IDC_MACRO_START);
    }
};

TEST(MacroOptimization, NeverChangesWhatTheMacroDoes) {
    std::mt19937 rng(17);
    for (int round = 0; round < 1500; ++round) {
        const std::string code = RandomMacroBytes(rng);
        const std::string optimized = OptimizedMacroCode(code);
        SCOPED_TRACE(::testing::PrintToString(code) + " -> " + ::testing::PrintToString(optimized));
        ASSERT_LE(optimized.size(), code.size() + 4 * std::count(code.begin(), code.end(), '['));
        EXPECT_EQ(OptimizedMacroCode(optimized), optimized);
        const unsigned seed = rng();
        const CPlayedMacro original(seed, code);
        const CPlayedMacro shortened(seed, optimized);
        ExpectSameScreensAndCounters(original.view.Store(), shortened.view.Store());
        EXPECT_EQ(original.MessageTexts(), shortened.MessageTexts());
        if (HasFailure())
            break;
    }

    // A go-to-screen token without its "]" reads its number up to the first
    // "]" after it, which the shortened macro may no longer hold: "[5,]"
    // plays to screen 5, the "]" lying in the fragment the scan drops.
    EXPECT_EQ(OptimizedMacroCode("[5,]"), "[5],");
    EXPECT_EQ(OptimizedMacroCode("[5,19,[6],[7,"), "[5],19,[0],");
    EXPECT_EQ(OptimizedMacroCode("[3],[7]x,[-2,]"), "[-2],");
    EXPECT_EQ(OptimizedMacroCode("[5\x81\x5D,19,[6],[7],"), "[5],19,[7],");
}

// Scripted operations standing in for those with dialogs and files; what
// they did, in order.
std::vector<std::string> g_log;

bool ScriptedImport16(CViewCore& view) {
    if (const std::optional<std::string> text = view.Platform().AskCharacters(16))
        view.Store().m_text16 = *text;
    g_log.push_back(view.Store().m_text16 + std::to_string(view.Store().m_playback));
    return true;
}

// A file that cannot be read ends the command as a file error does; the
// inner commands, run with the flag inverted, record nothing.
bool ScriptedBitmapImport(CViewCore& view) {
    const std::optional<std::string> path = view.Platform().GetOpenFileName({});
    std::string bytes;
    if (path && ReadFileLimited(*path, 318, bytes) != EFileError::None) {
        ReportFileError(view.Platform(), *path, EFileError::NotFound);
        StopPlayback(view);
        return true;
    }
    view.Store().m_playback = ~view.Store().m_playback;
    RecordStep(view, EStep::CutScreen);
    view.Store().m_playback = ~view.Store().m_playback;
    g_log.push_back(path ? "bitmap" : "cancelled");
    return true;
}

bool ScriptedRefusal(CViewCore& view) {
    view.CheckCapacity(801);
    return true;
}

TEST(PlaybackEdges, DialogsRefusalsAndAFileErrorThatEndsThePlayback) {
    CTempDir dir;
    WriteBytes(dir.Path("a.bmp"), std::string(318, '\0'));
    SReplayTable replay;
    replay.operations[1] = ScriptedRefusal;
    replay.operations[12] = ScriptedImport16;
    replay.operations[32] = ScriptedBitmapImport;
    replay.goToScreen = GoToScreen;

    const std::string macro = "12,1,32,[4],12,32,[6],32,[7],";
    CMacroSession t(macro, true);
    t.platform.text16Answers = {std::string("あ"), std::nullopt};
    t.platform.openFileAnswers = {std::nullopt, dir.Path("a.bmp"), dir.Path("none.bmp")};
    g_log.clear();
    PlayMacro(t.view, replay);
    EXPECT_EQ(g_log, (Lines{"あ1", "cancelled", "あ1", "bitmap"}));
    EXPECT_EQ(t.MessageTexts(), (Lines{"スクリーン枚数がオーバーしました。",
                                       dir.Path("none.bmp") + " が見つかりません。"}));
    EXPECT_EQ(t.s().m_currentScreen, 6); // [7] never ran
    EXPECT_EQ(t.s().m_playback, 0);
    EXPECT_EQ(t.s().m_macroCode, macro);
    EXPECT_EQ(t.s().m_macroLines.size(), 9u);

    // Recording works again, and the next playback runs to the end.
    t.Click(IDC_FIRST_SCREEN);
    EXPECT_EQ(t.s().m_macroCode, macro + "8,");
    t.s().m_macroCode = "[5],32,[3],";
    t.platform.openFileAnswers = {dir.Path("a.bmp")};
    PlayMacro(t.view, replay);
    EXPECT_EQ(t.s().m_currentScreen, 3);
    StopPlayback(t.view); // nothing to stop
    EXPECT_FALSE(t.s().m_stopPlayback);
}

} // namespace
