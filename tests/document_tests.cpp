#include "TestSession.h"

#include "app/DocumentCommands.h"
#include "app/QvlFormat.h"
#include "store/CommandIds.h"
#include "store/FileIo.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// A .qvl file of `screens` screens whose screen n has word 0 = n and whose
// last word is 0xA5A5A5A5.
std::string NumberedQvl(int screens) {
    std::vector<Word> words(static_cast<size_t>(screens) * kWordsPerScreen, 0);
    for (int n = 0; n < screens; ++n) {
        words[n * kWordsPerScreen] = static_cast<Word>(n + 1);
        words[n * kWordsPerScreen + 47] = 0xA5A5A5A5u;
    }
    return EncodeQvl(words.data(), words.size());
}

TEST(Document, LengthChecksOnOpen) {
    CTempDir dir;
    struct SCase {
        size_t length;
        bool accepted;
    };
    for (const SCase c : {SCase{0, true}, SCase{192, true}, SCase{200, false}, SCase{153600, true},
                          SCase{153792, false}, SCase{153601, false}}) {
        SCOPED_TRACE(c.length);
        CTestSession t;
        const std::string path = dir.Path("len.qvl");
        WriteBytes(path, std::string(c.length, '\0'));
        EXPECT_EQ(OpenAnimation(t.view, t.doc, path), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(t.platform.messages.empty());
            EXPECT_EQ(t.s().m_screenCount[0], static_cast<int>(c.length / 192));
            EXPECT_EQ(t.s().m_currentScreen, 1);
            EXPECT_EQ(t.doc.Title(), "len.qvl");
        } else {
            ASSERT_EQ(t.platform.messages.size(), 1u);
            EXPECT_EQ(t.platform.messages[0].text, "qvlファイルではありません。");
            EXPECT_EQ(t.platform.messages[0].caption, "エラー発生！");
            EXPECT_EQ(t.platform.messages[0].type, MB_OK | MB_ICONEXCLAMATION);
            EXPECT_EQ(t.s().m_screenCount[0], 10);
        }
    }
}

TEST(Document, RefusedOpenKeepsDocumentAndView) {
    CTempDir dir;
    CTestSession t;
    const std::string good = dir.Path("good.qvl");
    WriteBytes(good, NumberedQvl(3));
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, good));
    t.doc.SetModifiedFlag(true);
    GoToLast(t.view);
    const int invalidations = t.platform.invalidateCount;

    const std::string bad = dir.Path("bad.qvl");
    WriteBytes(bad, std::string(200, '\x11'));
    EXPECT_FALSE(OpenAnimation(t.view, t.doc, bad));
    EXPECT_EQ(t.doc.ByteCount(), 3 * 192);
    EXPECT_EQ(t.doc.Words()[0], 1u);
    EXPECT_EQ(t.doc.PathName(), good);
    EXPECT_EQ(t.doc.Title(), "good.qvl");
    EXPECT_TRUE(t.doc.IsModified());
    // The view was not reinitialized.
    EXPECT_EQ(t.s().m_currentScreen, 3);
    EXPECT_EQ(t.platform.invalidateCount, invalidations);

    EXPECT_FALSE(OpenAnimation(t.view, t.doc, dir.Path("missing.qvl")));
    EXPECT_EQ(t.MessageTexts().back(), dir.Path("missing.qvl") + " が見つかりません。");
    EXPECT_EQ(t.platform.messages.back().caption, "Glowmotion");
    EXPECT_FALSE(OpenAnimation(t.view, t.doc, dir.Dir().string()));
    EXPECT_EQ(t.MessageTexts().back(),
              dir.Dir().string() + " の読み取り中に予期しないｴﾗｰが発生しました。");
    EXPECT_EQ(t.doc.PathName(), good);
}

TEST(Document, EmptyFileGivesABankOfNoScreensAtScreenOne) {
    CTempDir dir;
    CTestSession t;
    WriteBytes(dir.Path("empty.qvl"), "");
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, dir.Path("empty.qvl")));
    EXPECT_EQ(t.s().m_screenCount[0], 0);
    EXPECT_EQ(t.s().m_currentScreen, 1);
    EXPECT_FALSE(t.view.UpdateData(true));
    EXPECT_EQ(t.MessageTexts().back(), "1 から 0 までの整数を入力してください。");
    GoToLast(t.view);
    EXPECT_EQ(t.s().m_currentScreen, 1);
}

TEST(Document, OpeningIntoSelect2LeavesTheOtherBanksAndLaterScreens) {
    CTempDir dir;
    CTestSession t;
    t.s().ScreenAt(0, 1)[5] = 0x1234u;
    t.s().ScreenAt(2, 1)[5] = 0x5678u;
    t.s().ScreenAt(1, 7)[0] = 0xFFu; // beyond the 3 screens opened
    t.Click(IDC_SELECT2);
    const std::string path = dir.Path("three.qvl");
    WriteBytes(path, NumberedQvl(3));
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, path));
    EXPECT_EQ(t.s().m_currentBank, 1);
    EXPECT_EQ(t.s().m_screenCount, (std::array<int, 3>{10, 3, 10}));
    EXPECT_EQ(t.s().ScreenAt(1, 2)[0], 2u);
    EXPECT_EQ(t.s().ScreenAt(1, 7)[0], 0xFFu);
    EXPECT_EQ(t.s().ScreenAt(0, 1)[5], 0x1234u);
    EXPECT_EQ(t.s().ScreenAt(2, 1)[5], 0x5678u);

    // Saving writes select2 as it stands now.
    t.s().ScreenAt(1, 1)[1] = 0x80000000u;
    const std::string out = dir.Path("out.qvl");
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, out));
    const std::string bytes = ReadBytes(out);
    ASSERT_EQ(bytes.size(), 3u * 192);
    EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x00\x00\x80", 4));
    EXPECT_EQ(t.doc.Title(), "out.qvl");
    EXPECT_FALSE(t.doc.IsModified());
}

TEST(Document, NewClearsOnlyTheFirstTenScreensOfTheCurrentBank) {
    CTempDir dir;
    CTestSession t;
    WriteBytes(dir.Path("twenty.qvl"), NumberedQvl(20));
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, dir.Path("twenty.qvl")));
    t.s().ScreenAt(1, 1)[0] = 9u;
    NewAnimation(t.view, t.doc);
    EXPECT_EQ(t.s().m_screenCount[0], 10);
    EXPECT_EQ(t.s().ScreenAt(0, 10)[0], 0u);
    EXPECT_EQ(t.s().ScreenAt(0, 11)[0], 11u);
    EXPECT_EQ(t.s().ScreenAt(0, 800)[47], 0u);
    EXPECT_EQ(t.s().ScreenAt(1, 1)[0], 9u);
    EXPECT_EQ(t.doc.Title(), "無題");
    EXPECT_TRUE(t.doc.PathName().empty());
}

TEST(Document, SaveWritesLittleEndianWordsOfTheCurrentBank) {
    CTempDir dir;
    CTestSession t;
    // An untouched new document is ten blank screens.
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, dir.Path("blank.qvl")));
    EXPECT_EQ(ReadBytes(dir.Path("blank.qvl")), std::string(1920, '\0'));

    // Only column 0, row 0 lit; no mouse movement brought it into the
    // document, yet the save writes it.
    SetDot(t.s().ScreenAt(0, 1).data(), 0, 0);
    t.s().ScreenAt(0, 2)[1] = 0x01020304u;
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, dir.Path("dot.qvl")));
    const std::string bytes = ReadBytes(dir.Path("dot.qvl"));
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x00\x00\x80", 4));
    EXPECT_EQ(bytes.substr(196, 4), std::string("\x04\x03\x02\x01", 4));

    CTestSession again;
    ASSERT_TRUE(OpenAnimation(again.view, again.doc, dir.Path("dot.qvl")));
    EXPECT_EQ(again.Screen(0, 1), t.Screen(0, 1));
    EXPECT_EQ(again.Screen(0, 2), t.Screen(0, 2));
}

TEST(Document, FailedSaveLeavesTheOldFileIntact) {
    CTempDir dir;
    CTestSession t;
    const std::string path = dir.Path("keep.qvl");
    WriteBytes(path, NumberedQvl(1));
    ASSERT_TRUE(OpenAnimation(t.view, t.doc, path));
    t.doc.SetModifiedFlag(true);
    // Let no file grow past 100 bytes, so writing the 192-byte file fails
    // part-way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveAnimation(t.view, t.doc, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved);
    EXPECT_EQ(t.MessageTexts().back(), path + " の書き込み中に予期しないｴﾗｰが発生しました。");
    EXPECT_EQ(t.platform.messages.back().caption, "Glowmotion");
    EXPECT_EQ(ReadBytes(path), NumberedQvl(1));
    EXPECT_TRUE(t.doc.IsModified());
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Dir()))
        ++files;
    EXPECT_EQ(files, 1);

    EXPECT_FALSE(SaveAnimation(t.view, t.doc, dir.Path("no/such/folder.qvl")));
    EXPECT_EQ(t.MessageTexts().back(), dir.Path("no/such/folder.qvl") + " が見つかりません。");
}

TEST(Document, SaveKeepsPermissionsAndFollowsSymbolicLinks) {
    CTempDir dir;
    CTestSession t;
    const std::string real = dir.Path("real.qvl");
    const std::string link = dir.Path("link.qvl");
    WriteBytes(real, NumberedQvl(2));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(SaveAnimation(t.view, t.doc, link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), std::string(1920, '\0'));
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(Document, WriteBankFileWritesScreensOneToCount) {
    CTempDir dir;
    CTestSession t;
    t.s().m_screenCount[2] = 2;
    t.s().ScreenAt(2, 2)[47] = 0xCAFEBABEu;
    t.s().ScreenAt(2, 3)[0] = 1u; // beyond the count: not written
    ASSERT_TRUE(WriteBankFile(t.view, 2, dir.Path("bank3.qvl")));
    const std::string bytes = ReadBytes(dir.Path("bank3.qvl"));
    ASSERT_EQ(bytes.size(), 384u);
    EXPECT_EQ(bytes.substr(380, 4), std::string("\xBE\xBA\xFE\xCA", 4));
}

} // namespace
