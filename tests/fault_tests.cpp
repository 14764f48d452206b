// Saves and opens under faults: a save killed at any moment, a full file
// system, a target that may not be written, and a file rewritten while it is
// read. The old file survives, no temporary file stays, the failure is
// reported, and the state is either the old one or the new one.

#include "SyscallFaults.h"
#include "TestSession.h"

#include "app/DocumentCommands.h"
#include "app/QvlFormat.h"
#include "store/FileIo.h"
#include "store/ScreenGeometry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Kills and reaps a child process when the test ends, also after a failed
// assertion.
class CChildGuard {
public:
    explicit CChildGuard(pid_t child) : m_child(child) {}
    ~CChildGuard() {
        ::kill(m_child, SIGKILL);
        ::waitpid(m_child, nullptr, 0);
    }
    CChildGuard(const CChildGuard&) = delete;
    CChildGuard& operator=(const CChildGuard&) = delete;

private:
    pid_t m_child;
};

// The .qvl bytes of `screens` screens whose every byte is `fill`.
std::string Qvl(int screens, char fill) {
    return std::string(static_cast<size_t>(screens) * kScreenBytes, fill);
}

// Fills the current bank with 800 screens of `fill` bytes.
void FillBank(CTestSession& t, char fill) {
    const std::string bytes = Qvl(kMaxScreens, fill);
    DecodeQvl(bytes, t.s().m_banks[t.s().m_currentBank].data());
    t.s().m_screenCount[t.s().m_currentBank] = kMaxScreens;
}

TEST(Faults, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNew) {
    CTempDir dir;
    const std::string path = dir.Path("film.qvl");
    const std::string old = Qvl(3, 'o');
    const std::string full = Qvl(kMaxScreens, 'n');
    // Kills come sooner and later into the saves, so that some land in the
    // middle of writing the 153600 bytes and some between saves.
    for (int delayUs : {0, 50, 200, 500, 1000, 3000}) {
        WriteBytes(path, old);
        int ready[2];
        ASSERT_EQ(0, ::pipe(ready));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            CTestSession t;
            FillBank(t, 'n');
            (void)!::write(ready[1], "r", 1);
            for (;;)
                WriteBankFile(t.view, 0, path);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(1, ::read(ready[0], &byte, 1));
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        ASSERT_EQ(0, ::kill(child, SIGKILL));
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string after = ReadBytes(path);
        EXPECT_TRUE(after == old || after == full) << "a file of " << after.size() << " bytes";
        // At most the killed save's own temporary file; the next save removes it.
        EXPECT_LE(dir.Names().size(), 2u);
        CTestSession t;
        FillBank(t, 'n');
        ASSERT_TRUE(WriteBankFile(t.view, 0, path));
        EXPECT_EQ(full, ReadBytes(path));
        EXPECT_EQ(1u, dir.Names().size());
    }
}

// How a save goes: through an unnamed temporary file, through one made by
// name (file systems without O_TMPFILE), or in place (a file with two links).
enum class EWay { Unnamed, ByName, InPlace };

const char* WayName(EWay way) {
    switch (way) {
    case EWay::Unnamed:
        return "unnamed temporary";
    case EWay::ByName:
        return "temporary by name";
    case EWay::InPlace:
        return "in place";
    }
    return "";
}

TEST(Faults, EveryFailedCallOfTheWriterIsReportedAndLeavesNoTemporary) {
    struct SRow {
        EWay way;
        ESyscall call;
        int error;
        bool keepsOld; // false where the old bytes are already being overwritten
    };
    const SRow rows[] = {
        {EWay::Unnamed, ESyscall::Open, ENOSPC, true},
        {EWay::Unnamed, ESyscall::Fchmod, EPERM, true},
        {EWay::Unnamed, ESyscall::Write, ENOSPC, true},
        {EWay::Unnamed, ESyscall::Write, EIO, true},
        {EWay::Unnamed, ESyscall::Fsync, EIO, true},
        {EWay::Unnamed, ESyscall::Linkat, ENOSPC, true},
        {EWay::Unnamed, ESyscall::Rename, EIO, true},
        {EWay::Unnamed, ESyscall::Rename, EBUSY, true},
        {EWay::ByName, ESyscall::Open, EDQUOT, true},
        {EWay::ByName, ESyscall::Fchmod, EPERM, true},
        {EWay::ByName, ESyscall::Write, ENOSPC, true},
        {EWay::ByName, ESyscall::Fsync, EIO, true},
        {EWay::ByName, ESyscall::Rename, EIO, true},
        {EWay::InPlace, ESyscall::Fallocate, ENOSPC, true},
        {EWay::InPlace, ESyscall::Fallocate, EDQUOT, true},
        {EWay::InPlace, ESyscall::Write, EIO, false},
        {EWay::InPlace, ESyscall::Ftruncate, EIO, false},
        {EWay::InPlace, ESyscall::Fsync, EIO, false},
    };
    const bool unnamed = MakesUnnamedFiles(CTempDir());
    const std::string old = Qvl(4, 'o');
    const std::string fresh = Qvl(9, 'n');
    for (const SRow& row : rows) {
        if (row.way == EWay::Unnamed && !unnamed)
            continue; // this file system makes no unnamed files
        SCOPED_TRACE(std::string(WayName(row.way)) + ", call " +
                     std::to_string(static_cast<int>(row.call)) + " fails with " +
                     std::strerror(row.error));
        CTempDir dir;
        const std::string path = dir.Path("film.qvl");
        WriteBytes(path, old);
        if (row.way == EWay::InPlace) {
            ASSERT_EQ(0, ::link(path.c_str(), dir.Path("link.qvl").c_str()));
        }
        const std::vector<std::string> before = dir.Names();
        ClearFaults();
        RefuseUnnamedFiles(row.way == EWay::ByName);
        PlantFault(row.call, row.error);
        const EFileError result = WriteFileSafely(path, fresh);
        const bool struck = FaultStruck();
        ClearFaults();
        ASSERT_TRUE(struck) << "the writer never made that call";
        EXPECT_EQ(EFileError::WriteFailed, result);
        if (row.keepsOld) {
            EXPECT_EQ(old, ReadBytes(path));
        }
        EXPECT_EQ(before, dir.Names());
        // The same save without the fault succeeds.
        EXPECT_EQ(EFileError::None, WriteFileSafely(path, fresh));
        EXPECT_EQ(fresh, ReadBytes(path));
        EXPECT_EQ(before, dir.Names());
    }

    // A file system that cannot reserve room saves in place all the same.
    CTempDir dir;
    const std::string path = dir.Path("film.qvl");
    WriteBytes(path, old);
    ASSERT_EQ(0, ::link(path.c_str(), dir.Path("link.qvl").c_str()));
    PlantFault(ESyscall::Fallocate, EOPNOTSUPP);
    EXPECT_EQ(EFileError::None, WriteFileSafely(path, fresh));
    EXPECT_TRUE(FaultStruck());
    ClearFaults();
    EXPECT_EQ(fresh, ReadBytes(dir.Path("link.qvl")));
}

TEST(Faults, ManySavesOfOneFileAtOnceAllSucceed) {
    constexpr int kSavers = 180;
    // Every saver's own content, the same length, told apart by its bytes.
    const auto content = [](int saver) {
        return std::to_string(1000 + saver) +
               std::string(20000, static_cast<char>('a' + saver % 26));
    };
    // All savers unnamed, all by name, and the two mixed.
    for (const int mode : {0, 1, 2}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        CTempDir dir;
        const std::string path = dir.Path("film.gif");
        WriteBytes(path, "old");
        int start[2];
        ASSERT_EQ(0, ::pipe(start));
        std::vector<pid_t> children;
        for (int saver = 0; saver < kSavers; ++saver) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(start[1]);
                char byte = 0;
                // Everybody starts when the parent closes its end.
                (void)!::read(start[0], &byte, 1);
                RefuseUnnamedFiles(mode == 1 || (mode == 2 && saver % 2 == 1));
                bool ok = true;
                for (int round = 0; round < 3; ++round)
                    ok = WriteFileSafely(path, content(saver)) == EFileError::None && ok;
                ::_exit(ok ? 0 : 1);
            }
            children.push_back(child);
        }
        ::close(start[0]);
        ::close(start[1]);
        int failed = 0;
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(child, ::waitpid(child, &status, 0));
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                ++failed;
        }
        EXPECT_EQ(0, failed);
        const std::string after = ReadBytes(path);
        ASSERT_GE(after.size(), 4u);
        EXPECT_EQ(content(std::stoi(after.substr(0, 4)) - 1000), after);
        // Temporaries made by name that lost the race to be cleaned stay
        // until they are old; none made unnamed ever shows.
        for (const std::string& name : dir.Names())
            EXPECT_TRUE(name == "film.gif") << name;
    }
}

TEST(Faults, AFullFileSystemKeepsTheOldFileAndSaysSo) {
    CTempDir dir;
    const std::string mountPoint = dir.Path("small");
    fs::create_directory(mountPoint);
    // Room for the old file and a little more, never for a full bank.
    if (::mount("glowmotion-test", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                     << "); the full-disk case is not tested";
    const std::string path = mountPoint + "/film.qvl";
    const std::string old = Qvl(10, 'o');
    WriteBytes(path, old);

    CTestSession t;
    FillBank(t, 'n');
    EXPECT_FALSE(SaveAnimation(t.view, t.doc, path));
    EXPECT_EQ(1u, t.platform.messages.size());
    EXPECT_EQ(old, ReadBytes(path));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(mountPoint), fs::directory_iterator()));
    // What fits is still saved.
    t.s().m_screenCount[0] = 20;
    EXPECT_TRUE(SaveAnimation(t.view, t.doc, path));
    EXPECT_EQ(Qvl(20, 'n'), ReadBytes(path));

    // A file with a second link is written in place: the room for the new
    // bytes is reserved first, so a full disk changes none of the old ones.
    const std::string link = mountPoint + "/link.qvl";
    ASSERT_EQ(0, ::link(path.c_str(), link.c_str()));
    t.s().m_screenCount[0] = kMaxScreens;
    EXPECT_FALSE(SaveAnimation(t.view, t.doc, link));
    EXPECT_EQ(2u, t.platform.messages.size());
    EXPECT_EQ(Qvl(20, 'n'), ReadBytes(path));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(mountPoint), fs::directory_iterator()));
    ASSERT_EQ(0, ::unlink(link.c_str()));
    EXPECT_EQ(0, ::umount(mountPoint.c_str()));
}

TEST(Faults, AnUnwritableTargetIsReportedAndKept) {
    CTempDir dir;
    const std::string path = dir.Path("ro.qvl");
    const std::string old = Qvl(2, 'o');
    WriteBytes(path, old);
    ASSERT_EQ(0, ::chmod(path.c_str(), 0444));
    CTestSession t;
    FillBank(t, 'n');
    EXPECT_FALSE(SaveAnimation(t.view, t.doc, path));
    ASSERT_EQ(1u, t.platform.messages.size());
    EXPECT_NE(std::string::npos, t.platform.messages[0].text.find("ro.qvl"));
    EXPECT_EQ(old, ReadBytes(path));
    EXPECT_EQ(1u, dir.Names().size());
}

TEST(Faults, AFileRewrittenWhileItIsOpenedGivesOneWholeState) {
    CTempDir dir;
    const std::string path = dir.Path("moving.qvl");
    const std::string big = Qvl(700, 'b');
    const std::string small = Qvl(3, 's');
    WriteBytes(path, big);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Another program that rewrites the file in place, growing and
        // shrinking it, a screen per write.
        for (int round = 0;; ++round) {
            const std::string& bytes = round % 2 == 0 ? small : big;
            const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
            for (size_t at = 0; fd >= 0 && at < bytes.size(); at += kScreenBytes)
                (void)!::write(fd, bytes.data() + at, kScreenBytes);
            ::close(fd);
        }
    }
    const CChildGuard writer(child);
    int opened = 0;
    for (int i = 0; i < 300; ++i) {
        CTestSession t;
        t.s().m_screenCount[0] = 5;
        const std::vector<Word> before = t.Screen(0, 1);
        if (!OpenAnimation(t.view, t.doc, path)) {
            EXPECT_EQ(5, t.s().m_screenCount[0]);
            EXPECT_EQ(before, t.Screen(0, 1));
            continue;
        }
        ++opened;
        // Every screen read came whole from one of the two contents (none
        // when the file was caught empty, right after its truncation).
        const int count = t.s().m_screenCount[0];
        if (count == 0)
            continue;
        const Word first = t.Screen(0, 1)[0];
        EXPECT_TRUE(first == 0x62626262u || first == 0x73737373u);
        for (int n = 1; n <= count; ++n)
            EXPECT_EQ(std::vector<Word>(kWordsPerScreen, first), t.Screen(0, n)) << n;
    }
    EXPECT_GT(opened, 0);
}

} // namespace
