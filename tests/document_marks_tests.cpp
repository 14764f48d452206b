// The marks of unsaved changes: every action that changes a bank marks that
// bank, the document's flag follows the bank on display, saving clears only
// the bank saved, the question before the others are left, and undo and redo
// bringing back the document's name and marks with the screens.

#include "TestSession.h"

#include "app/CommandTable.h"
#include "app/DocumentCommands.h"
#include "app/QvlFormat.h"
#include "app/UndoCommands.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A dot drawn with the mouse on the current screen.
void Dot(CTestSession& t, int column, int row) {
    t.dispatch.OnMouse(EMouseMessage::LButtonDown, MK_LBUTTON, CellX(column), CellY(row));
    t.dispatch.OnMouse(EMouseMessage::LButtonUp, 0, CellX(column), CellY(row));
}

// A .qvl file of `screens` screens, each lit in its own column.
std::string Film(int screens, Word pattern) {
    std::vector<Word> words(static_cast<size_t>(screens) * kWordsPerScreen, 0);
    for (int n = 0; n < screens; ++n)
        words[static_cast<size_t>(n) * kWordsPerScreen + static_cast<size_t>(n % 48)] = pattern;
    return EncodeQvl(words.data(), words.size());
}

constexpr int kSelects[] = {IDC_SELECT1, IDC_SELECT2, IDC_SELECT3};

// Whether bank `bank` holds different screens or another count in `a` and `b`.
bool BankDiffers(const CScreenStore& a, const CScreenStore& b, int bank) {
    if (a.m_screenCount[bank] != b.m_screenCount[bank])
        return true;
    for (int n = 1; n <= kMaxScreens; ++n) {
        const auto x = a.ScreenAt(bank, n);
        const auto y = b.ScreenAt(bank, n);
        if (!std::equal(x.begin(), x.end(), y.begin()))
            return true;
    }
    return false;
}

TEST(DocumentMarks, EveryGestureThatChangesABankMarksIt) {
    int changing = 0;
    for (const SCommand& command : CommandTable()) {
        if (IsHistoryCommand(command.id))
            continue;
        struct SWay {
            bool shift;
            int scrollCode;
        };
        std::vector<SWay> ways;
        if (command.scroll != nullptr)
            ways = {{false, SB_LINEUP}, {false, SB_LINEDOWN}, {false, SB_THUMBTRACK}};
        else
            ways = {{false, -1}, {true, -1}};
        for (const SWay way : ways) {
            if (way.shift && command.shift == nullptr)
                continue;
            for (const int bank : {0, 1, 2}) {
                SCOPED_TRACE("command " + std::to_string(command.id) + (way.shift ? " SHIFT" : "") +
                             " on bank " + std::to_string(bank));
                CTestSession t;
                CTempDir dir;
                // Every bank opened from a file of its own: nothing marked.
                for (int b = 0; b < kBankCount; ++b) {
                    SelectBank(t.view, b);
                    const std::string path = dir.Path("bank" + std::to_string(b) + ".qvl");
                    WriteBytes(path, Film(12, 0x81000000u >> b));
                    ASSERT_TRUE(OpenAnimation(t.view, t.doc, path));
                }
                t.Click(kSelects[bank]);
                GoToScreen(t.view, 3);
                t.s().m_screenClip.fill(0x0F0F0F0Fu);
                t.s().m_rangeClipCount = 2;
                t.s().m_macroCode = "1,10,2,11,42,";
                t.platform.text16Answers.push_back("字");
                t.platform.text32Answers.push_back("字");
                t.platform.messageAnswers.push_back(IDYES); // RESET
                ASSERT_EQ(t.doc.Marks(), (BankMarks{}));
                const CScreenStore before = t.s();

                t.platform.shiftDown = way.shift;
                if (way.scrollCode >= 0)
                    t.dispatch.OnScroll(command.id, way.scrollCode, 5);
                else
                    t.Click(command.id);
                t.platform.shiftDown = false;

                for (int b = 0; b < kBankCount; ++b) {
                    if (!BankDiffers(before, t.s(), b))
                        continue;
                    ++changing;
                    EXPECT_TRUE(t.view.IsBankModified(b)) << "bank " << b << " changed, unmarked";
                }
                EXPECT_EQ(t.doc.IsModified(), t.view.IsBankModified(t.s().m_currentBank));
            }
        }
    }
    // The effects, options, bit moves, clips, spaces, AND / OR, characters,
    // RESET and the playback.
    EXPECT_GE(changing, 60);
}

TEST(DocumentMarks, PlaybackMarksEveryBankItChangesAndTheFlagFollowsTheBankOnDisplay) {
    CTestSession t;
    // select2 scrolls up, select3 down, and select1 is shown again.
    t.s().m_macroCode = "10,1,11,2,9,";
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, true, true}));
    EXPECT_EQ(t.s().m_currentBank, 0);
    EXPECT_FALSE(t.doc.IsModified());
    t.Click(IDC_SELECT3);
    EXPECT_TRUE(t.doc.IsModified());
    t.Click(IDC_SELECT1);
    EXPECT_FALSE(t.doc.IsModified());

    EXPECT_EQ(UnsavedHiddenBanks(t.view), (std::vector<int>{1, 2}));
    EXPECT_EQ(DiscardQuestion({1, 2}),
              "select2, select3 の変更は保存されていません。破棄しますか？");
    EXPECT_EQ(DiscardQuestion({1}), "select2 の変更は保存されていません。破棄しますか？");
    EXPECT_EQ(DiscardQuestion({}), "");

    // No cancels and changes nothing; Yes goes on. No is the default.
    t.platform.messageAnswers = {IDNO, IDYES};
    EXPECT_FALSE(ConfirmDiscardHiddenBanks(t.view));
    EXPECT_TRUE(ConfirmDiscardHiddenBanks(t.view));
    ASSERT_EQ(t.platform.messages.size(), 2u);
    EXPECT_EQ(t.platform.messages[0].text, DiscardQuestion({1, 2}));
    EXPECT_EQ(t.platform.messages[0].caption, "Glowmotion");
    EXPECT_EQ(t.platform.messages[0].type, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, true, true}));

    // The bank on display is not asked about here: it has its own prompt.
    t.Click(IDC_SELECT2);
    EXPECT_EQ(UnsavedHiddenBanks(t.view), (std::vector<int>{2}));
    t.s().m_macroCode.clear();
}

TEST(DocumentMarks, SavingClearsOnlyTheBankSavedAndUndoKnowsWhichStatesTheFileHolds) {
    CTestSession t;
    CTempDir dir;
    t.Click(IDC_SELECT2);
    Dot(t, 2, 2); // r1: select2
    t.Click(IDC_SELECT1);
    Dot(t, 1, 1); // r2: select1
    EXPECT_EQ(t.doc.Marks(), (BankMarks{true, true, false}));
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, dir.Path("one.qvl")));
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, true, false}));
    EXPECT_EQ(UnsavedHiddenBanks(t.view), std::vector<int>{1});

    EXPECT_TRUE(t.Click(ID_EDIT_UNDO)); // r2: select1 differs from the file
    EXPECT_EQ(t.doc.Marks(), (BankMarks{true, true, false}));
    EXPECT_TRUE(t.Click(ID_EDIT_UNDO)); // r1: select2 as it was at start
    EXPECT_EQ(t.doc.Marks(), (BankMarks{true, false, false}));
    EXPECT_TRUE(t.Click(ID_EDIT_REDO));
    EXPECT_EQ(t.doc.Marks(), (BankMarks{true, true, false}));
    EXPECT_TRUE(t.Click(ID_EDIT_REDO)); // back to what the file holds
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, true, false}));

    // A change of select2 after the save leaves select1 as saved: undoing it
    // keeps select1 unmarked.
    t.Click(IDC_SELECT2);
    Dot(t, 3, 3);
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, true, false}));
}

TEST(DocumentMarks, UndoOfOpenBringsBackTheDocumentAndASaveWritesItsOwnFile) {
    CTestSession t;
    CTempDir dir;
    const std::string mine = dir.Path("mine.qvl");
    const std::string theirs = dir.Path("theirs.qvl");
    const std::string theirBytes = Film(5, 0xC0000000u);
    WriteBytes(theirs, theirBytes);
    Dot(t, 4, 4);
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, mine));
    Dot(t, 5, 5);
    ASSERT_TRUE(t.doc.IsModified());

    ASSERT_TRUE(OpenAnimation(t.view, t.doc, theirs));
    EXPECT_EQ(t.doc.PathName(), theirs);
    EXPECT_FALSE(t.doc.IsModified());
    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.doc.PathName(), mine);
    EXPECT_EQ(t.doc.Title(), "mine.qvl");
    EXPECT_TRUE(t.doc.IsModified()); // the second dot was never saved
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, t.doc.PathName()));
    EXPECT_EQ(ReadBytes(theirs), theirBytes);
    const std::string saved = ReadBytes(mine);
    ASSERT_EQ(saved.size(), 10u * kScreenBytes);
    EXPECT_TRUE(TestDot(t.s().ScreenAt(0, 1).data(), 5, 5));
    EXPECT_EQ(saved, EncodeQvl(t.s().m_banks[0].data(), 10 * kWordsPerScreen));

    // Redo opens the file's state again, under its name and unmarked.
    ASSERT_TRUE(t.Click(ID_EDIT_REDO));
    EXPECT_EQ(t.doc.PathName(), theirs);
    EXPECT_FALSE(t.doc.IsModified());
    EXPECT_EQ(t.s().m_screenCount[0], 5);
    // ... and back: mine.qvl now holds the state on display, unmarked.
    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.doc.PathName(), mine);
    EXPECT_FALSE(t.doc.IsModified());

    // New is undone the same way.
    NewAnimation(t.view, t.doc);
    EXPECT_EQ(t.doc.Title(), "無題");
    ASSERT_TRUE(t.Click(ID_EDIT_UNDO));
    EXPECT_EQ(t.doc.PathName(), mine);
    EXPECT_TRUE(TestDot(t.s().ScreenAt(0, 1).data(), 5, 5));
}

TEST(DocumentMarks, SaveAsRenamesTheStatesOfTheDocument) {
    CTestSession t;
    CTempDir dir;
    const std::string first = dir.Path("first.qvl");
    WriteBytes(first, Film(3, 0x80000000u));
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, first));
    Dot(t, 10, 10);
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, dir.Path("copy.qvl")));
    // Undoing the dot keeps the name saved under; only the Open goes back.
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.doc.Title(), "copy.qvl");
    EXPECT_TRUE(t.doc.IsModified());
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.doc.Title(), "無題");
    t.Click(ID_EDIT_REDO);
    EXPECT_EQ(t.doc.Title(), "copy.qvl");
    EXPECT_TRUE(t.doc.IsModified()); // the file holds the dot
    t.Click(ID_EDIT_REDO);
    EXPECT_FALSE(t.doc.IsModified());
}

TEST(DocumentMarks, NewAndOpenLeaveTheOtherBanksMarked) {
    CTestSession t;
    CTempDir dir;
    const std::string path = dir.Path("a.qvl");
    WriteBytes(path, Film(2, 0x80000000u));
    t.Click(IDC_SELECT3);
    Dot(t, 0, 0);
    t.Click(IDC_SELECT1);
    Dot(t, 0, 0);
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, path));
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, false, true}));
    NewAnimation(t.view, t.doc);
    EXPECT_EQ(t.doc.Marks(), (BankMarks{false, false, true}));
    t.Click(ID_EDIT_UNDO);
    t.Click(ID_EDIT_UNDO);
    EXPECT_EQ(t.doc.Marks(), (BankMarks{true, false, true}));
}

} // namespace
