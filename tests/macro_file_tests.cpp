// Macro files (.mcr) and the macro text export (.txt) through their buttons
// and dialogs.

#include "TestSession.h"

#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

using Lines = std::vector<std::string>;

void Press(CTestSession& t, int id, const std::string& path) {
    (id == IDC_MACRO_LOAD ? t.platform.openFileAnswers : t.platform.saveFileAnswers)
        .push_back(path);
    t.Click(id);
}

TEST(MacroFiles, SaveAndLoadRoundTrip) {
    CTempDir dir;
    CTestSession recorded;
    recorded.Click(IDC_MACRO_RECORD);
    recorded.Click(IDC_SELECT2);
    recorded.dispatch.OnScroll(IDC_SCREEN_SCROLL, SB_THUMBTRACK, 5);
    Press(recorded, IDC_MACRO_SAVE, dir.Path("m.mcr"));
    EXPECT_EQ(ReadBytes(dir.Path("m.mcr")), "10,[5],");

    CTestSession loaded;
    Press(loaded, IDC_MACRO_LOAD, dir.Path("m.mcr"));
    EXPECT_EQ(loaded.s().m_macroCode, "10,[5],");
    EXPECT_EQ(loaded.s().m_macroLines, (Lines{"セレクト２", "5"}));
    const std::string filter = "ﾏｸﾛ ﾌｧｲﾙ (*.mcr) |*.mcr||";
    EXPECT_EQ(recorded.platform.fileDialogs[0], (CFileDialogInfo{"", filter, "mcr", "*.mcr"}));
    EXPECT_EQ(loaded.platform.fileDialogs[0], (CFileDialogInfo{"", filter, "mcr", ""}));

    // CR LF on disk is LF in the macro and back; a lone CR is just a byte.
    WriteBytes(dir.Path("crlf.mcr"), "1,[5],\r\r\n");
    Press(loaded, IDC_MACRO_LOAD, dir.Path("crlf.mcr"));
    EXPECT_EQ(loaded.s().m_macroCode, "1,[5],\r\n");
    EXPECT_EQ(loaded.s().m_macroLines, (Lines{"上へスクロール", "5"}));
    Press(loaded, IDC_MACRO_SAVE, dir.Path("again.mcr"));
    EXPECT_EQ(ReadBytes(dir.Path("again.mcr")), "1,[5],\r\r\n");

    // An empty macro gives an empty file and back; cancelled dialogs do nothing.
    loaded.Click(IDC_MACRO_CLEAR);
    Press(loaded, IDC_MACRO_SAVE, dir.Path("again.mcr"));
    EXPECT_EQ(ReadBytes(dir.Path("again.mcr")), "");
    Press(recorded, IDC_MACRO_LOAD, dir.Path("again.mcr"));
    EXPECT_EQ(recorded.s().m_macroCode, "");
    EXPECT_TRUE(recorded.s().m_macroLines.empty());
    loaded.Click(IDC_MACRO_SAVE);
    loaded.Click(IDC_MACRO_LOAD);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}), 3);
    EXPECT_TRUE(loaded.MessageTexts().empty());
}

TEST(MacroFiles, LoadRefusesLargeFilesAndWhatIsNoFile) {
    CTempDir dir;
    CTestSession t;
    // 8192 bytes on disk load, counted before CR LF is read as LF.
    std::string full;
    while (full.size() < 8192)
        full += "8,\r\n";
    WriteBytes(dir.Path("full.mcr"), full);
    Press(t, IDC_MACRO_LOAD, dir.Path("full.mcr"));
    EXPECT_EQ(t.s().m_macroCode.size(), 6144u);

    t.s().m_macroCode = "9,";
    RebuildMacroList(t.view);
    WriteBytes(dir.Path("big.mcr"), full + "9");
    Press(t, IDC_MACRO_LOAD, dir.Path("big.mcr"));
    EXPECT_EQ(t.platform.messages.at(0).caption, "エラー発生！");
    Press(t, IDC_MACRO_LOAD, dir.Path(""));
    // A FIFO without a writer would block a read for ever.
    ASSERT_EQ(::mkfifo(dir.Path("pipe.mcr").c_str(), 0600), 0);
    Press(t, IDC_MACRO_LOAD, dir.Path("pipe.mcr"));
    Press(t, IDC_MACRO_LOAD, dir.Path("none.mcr"));
    EXPECT_EQ(t.MessageTexts(),
              (Lines{"マクロファイルが 8192 バイトを超えています。",
                     dir.Path("") + " の読み取り中に予期しないｴﾗｰが発生しました。",
                     dir.Path("pipe.mcr") + " の読み取り中に予期しないｴﾗｰが発生しました。",
                     dir.Path("none.mcr") + " が見つかりません。"}));
    EXPECT_EQ(t.s().m_macroCode, "9,");
    EXPECT_EQ(t.s().m_macroLines, Lines{"セレクト１"});
}

TEST(MacroExport, ListLinesInCp932WithCrLf) {
    CTempDir dir;
    CTestSession t;
    t.s().m_macroCode = "1,[12],14,";
    RebuildMacroList(t.view);
    Press(t, IDC_MACRO_EXPORT, dir.Path("steps.txt"));
    EXPECT_EQ(t.platform.fileDialogs[0],
              (CFileDialogInfo{"", "ﾃｷｽﾄ ﾌｧｲﾙ (*.txt) |*.txt||", "txt", "*.txt"}));
    // "上へスクロール", 12, "コピー　＋ＳＨＩＦＴ" (the ideographic space is 81 40).
    EXPECT_EQ(
        ReadBytes(dir.Path("steps.txt")),
        "\x8F\xE3\x82\xD6\x83\x58\x83\x4E\x83\x8D\x81\x5B\x83\x8B\r\n12\r\n"
        "\x83\x52\x83\x73\x81\x5B\x81\x40\x81\x7B\x82\x72\x82\x67\x82\x68\x82\x65\x82\x73\r\n");

    // The list is what is written: an unknown token shows no line.
    t.s().m_macroCode = "x,1,8,";
    RebuildMacroList(t.view);
    t.dispatch.OnListSelect(0);
    t.Click(IDC_MACRO_DEL);
    EXPECT_EQ(t.s().m_macroCode, "x,8,");
    Press(t, IDC_MACRO_EXPORT, dir.Path("steps.txt"));
    EXPECT_EQ(ReadBytes(dir.Path("steps.txt")), "\x8D\xC5\x8F\x89\r\n"); // "最初"

    t.Click(IDC_MACRO_CLEAR);
    Press(t, IDC_MACRO_EXPORT, dir.Path("steps.txt"));
    EXPECT_EQ(ReadBytes(dir.Path("steps.txt")), "");
    Press(t, IDC_MACRO_EXPORT, dir.Path("no-folder/steps.txt"));
    EXPECT_EQ(t.MessageTexts(), Lines{dir.Path("no-folder/steps.txt") + " が見つかりません。"});
}

} // namespace
