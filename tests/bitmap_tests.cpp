// Bitmap import and export: the file layout, round trips, the two checked
// bytes, and what is recorded and marked.

#include "EditTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

// The 62 bytes before the pixels of every exported file, written out.
const std::string kHeader = std::string("BM\x3E\x01\0\0\0\0\0\0\x3E\0\0\0"
                                        "\x28\0\0\0\x30\0\0\0\x20\0\0\0\x01\0\x01\0"
                                        "\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\0\0"
                                        "\x02\0\0\0\x02\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF",
                                        62);

// A 318-byte file whose pixel bytes cycle through 0x0A, 0x0D and 0x1A.
std::string AwkwardBitmap() {
    std::string bytes = kHeader;
    for (int i = 0; i < 256; ++i)
        bytes += i % 8 < 6 ? "\x0A\x0D\x1A"[i % 3] : '\0';
    return bytes;
}

struct CBitmapSession : CEditSession {
    void Import(const std::optional<std::string>& path, bool shift = false) {
        platform.openFileAnswers.push_back(path);
        Press(ID_BITMAP_IMPORT, shift);
    }
    void Export(const std::optional<std::string>& path) {
        platform.saveFileAnswers.push_back(path);
        Press(ID_BITMAP_SAVE);
    }
    CTempDir dir;
};

TEST(Bitmap, ExportWritesLitDotsBlackBottomRowFirst) {
    CBitmapSession t;
    for (const auto& [column, row] : {std::pair{0, 0}, {47, 31}, {5, 2}})
        SetDot(t.s().CurrentScreenWords().data(), column, row);
    t.Export(t.dir.Path("dots.bmp"));
    std::string pixels;
    for (int row = 0; row < 32; ++row)
        pixels += std::string(6, '\xFF') + std::string(2, '\0');
    pixels[248] = '\x7F'; // (0, 0): the last file row, first pixel
    pixels[5] = '\xFE';   // (47, 31): the first file row, last pixel
    pixels[232] = '\xFB'; // (5, 2): file row 29
    EXPECT_EQ(ReadBytes(t.dir.Path("dots.bmp")), kHeader + pixels);
    EXPECT_EQ(t.platform.fileDialogs.back(),
              (CFileDialogInfo{"", "ﾋﾞｯﾄﾏｯﾌﾟ ﾌｧｲﾙ (*.bmp) |*.bmp||", "bmp", ""}));

    // Cancelled: nothing written, yet the document is marked. Never recorded.
    t.doc.SetModifiedFlag(false);
    t.Export(std::nullopt);
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.dir.Dir()), {}), 1);
    EXPECT_EQ(t.s().m_macroCode, "");
}

TEST(Bitmap, ImportRoundTripsAndKeepsTheOldScreenInTheClip) {
    CBitmapSession t;
    t.Fill(0, 10);
    GoToScreen(t.view, 2);
    WriteBytes(t.dir.Path("awkward.bmp"), AwkwardBitmap());
    t.Import(t.dir.Path("awkward.bmp"), true); // SHIFT changes nothing: one screen
    EXPECT_EQ(std::vector<Word>(t.s().m_screenClip.begin(), t.s().m_screenClip.end()),
              PatternScreen(0, 2));
    EXPECT_EQ(t.Screen(0, 3), PatternScreen(0, 3));
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.Screen(0, 2)[0], 0xFFFFFFFFu); // bit 0x80 is clear in all three: lit
    EXPECT_EQ(t.Screen(0, 2)[4], 0u);          // bit 0x08 is set in all three: dark

    t.Export(t.dir.Path("again.bmp"));
    EXPECT_EQ(ReadBytes(t.dir.Path("again.bmp")), AwkwardBitmap());

    // Only pixel values count: a palette of white, then black, changes nothing;
    // bytes past the 318th are not read.
    const std::vector<Word> imported = t.Screen(0, 2);
    std::string swapped = AwkwardBitmap();
    swapped.replace(54, 8, "\xFF\xFF\xFF\0\0\0\0\0", 8);
    WriteBytes(t.dir.Path("swapped.bmp"), swapped + "trailing bytes");
    t.Press(ID_REVERSE);
    t.Import(t.dir.Path("swapped.bmp"));
    EXPECT_EQ(t.Screen(0, 2), imported);
    EXPECT_EQ(t.s().m_macroCode, "32,19,32,");
    EXPECT_TRUE(t.MessageTexts().empty());
}

TEST(Bitmap, RefusedFilesChangeNothing) {
    CBitmapSession t;
    t.Fill(0, 10);
    std::string deep = AwkwardBitmap();
    deep.replace(2, 2, "\x36\x12"); // a 24-bit file of 4662 bytes
    WriteBytes(t.dir.Path("deep.bmp"), deep + std::string(4662 - 318, '\0'));
    std::string wide = AwkwardBitmap();
    wide[18] = '\x40';
    WriteBytes(t.dir.Path("wide.bmp"), wide);
    WriteBytes(t.dir.Path("short.bmp"), AwkwardBitmap().substr(0, 317));
    for (const char* name : {"deep.bmp", "wide.bmp", "short.bmp"})
        t.Import(t.dir.Path(name));
    t.Import(std::nullopt);
    EXPECT_EQ(t.MessageTexts(), std::vector<std::string>(3, "サイズが合いません。"));
    EXPECT_EQ(t.platform.messages[0].caption, "エラー発生！");
    EXPECT_EQ(t.s().m_macroCode, "32,32,32,32,"); // recorded all the same

    // Unreadable: the framework's message, and no step. A pipe is refused
    // without waiting for a writer.
    ASSERT_EQ(::mkfifo(t.dir.Path("pipe.bmp").c_str(), 0600), 0);
    for (const char* name : {"missing.bmp", "pipe.bmp"})
        t.Import(t.dir.Path(name));
    EXPECT_EQ(t.MessageTexts()[3], t.dir.Path("missing.bmp") + " が見つかりません。");
    EXPECT_EQ(t.MessageTexts()[4],
              t.dir.Path("pipe.bmp") + " の読み取り中に予期しないｴﾗｰが発生しました。");
    EXPECT_EQ(t.s().m_macroCode, "32,32,32,32,");
    EXPECT_EQ(t.Screen(0, 1), PatternScreen(0, 1));
    EXPECT_EQ(t.s().m_screenClip[0], 0u);
    EXPECT_FALSE(t.doc.IsModified());

    // Played, the dialog asks again; the import marks the document there too.
    WriteBytes(t.dir.Path("a.bmp"), AwkwardBitmap());
    t.platform.openFileAnswers = {t.dir.Path("a.bmp"), std::nullopt};
    t.Play("32,[2],32,");
    EXPECT_EQ(t.Screen(0, 1)[0], 0xFFFFFFFFu);
    EXPECT_EQ(t.Screen(0, 2), PatternScreen(0, 2));
    EXPECT_TRUE(t.doc.IsModified());

    // A file that cannot be read ends the playback at its step.
    t.platform.openFileAnswers = {t.dir.Path("missing.bmp")};
    t.Play("[1],32,[3],");
    EXPECT_EQ(t.s().m_currentScreen, 1);
    EXPECT_EQ(t.s().m_playback, 0);
}

} // namespace
