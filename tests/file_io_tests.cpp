// The file reader and writer: what is replaced through a temporary file, what
// is written in place, and what is refused.

#include "SyscallFaults.h"
#include "TestFiles.h"

#include "store/FileIo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Ends the test program when a call that must return at once hangs.
class CDeadline {
public:
    CDeadline() { ::alarm(10); }
    ~CDeadline() { ::alarm(0); }
};

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(0, ::stat(path.c_str(), &info)) << path;
    return info;
}

// What is left to read on `fd`, up to 4096 bytes.
std::string Drain(int fd) {
    char buffer[4096];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    return got > 0 ? std::string(buffer, static_cast<size_t>(got)) : std::string();
}

TEST(FileWriter, OrdinaryFilesAreReplacedWholeAndKeepTheirMode) {
    CTempDir dir;
    const std::string path = dir.Path("a.qvl");
    ASSERT_EQ(EFileError::None, WriteFileSafely(path, "first"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(0666 & ~mask, StatOf(path).st_mode & 07777);

    ASSERT_EQ(0, ::chmod(path.c_str(), 0640));
    const int old = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(old, 0);
    EXPECT_EQ(EFileError::None, WriteFileSafely(path, "second"));
    EXPECT_EQ("second", ReadBytes(path));
    EXPECT_EQ(0640u, StatOf(path).st_mode & 07777);
    // Replaced, not overwritten: who holds the old file still reads it whole.
    EXPECT_EQ("first", Drain(old));
    ::close(old);

    // The longest name a folder takes; the temporary name does not grow with it.
    const std::string longest = std::string(251, 'n') + ".qvl";
    EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path(longest), "new"));
    EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path(longest), "again"));
    EXPECT_EQ("again", ReadBytes(dir.Path(longest)));
    EXPECT_EQ((std::vector<std::string>{"a.qvl", longest}), dir.Names());
}

// Sets the time the file at `path` last changed to `minutes` ago.
void AgeFile(const std::string& path, int minutes) {
    const timespec times[2] = {{::time(nullptr) - minutes * 60, 0},
                               {::time(nullptr) - minutes * 60, 0}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0)) << path;
}

TEST(FileWriter, TheNextSaveRemovesWhatKilledSavesLeft) {
    const bool unnamed = MakesUnnamedFiles(CTempDir());
    for (const bool byName : {false, true}) {
        CTempDir dir;
        const std::string path = dir.Path("film.qvl");
        WriteBytes(path, "old");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Killed part-way through writing, by the file size limit.
            RefuseUnnamedFiles(byName);
            const rlimit small{4096, 4096};
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::setrlimit(RLIMIT_FSIZE, &small);
            std::signal(SIGXFSZ, SIG_DFL);
            WriteFileSafely(path, std::string(100000, 'k'));
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(SIGXFSZ, WTERMSIG(status));
        EXPECT_EQ("old", ReadBytes(path));
        if (!byName && unnamed) {
            // The unnamed file went with the process.
            EXPECT_EQ(std::vector<std::string>{"film.qvl"}, dir.Names());
            continue;
        }
        // A file made by name stays while it might still be another save's
        // between its creation and its lock; once it has been left alone
        // for minutes, a save of any file in the folder removes it.
        std::vector<std::string> names = dir.Names();
        ASSERT_EQ(2u, names.size());
        const std::string left = dir.Path(names[0]);
        EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path("other.qvl"), "new"));
        EXPECT_EQ(3u, dir.Names().size());
        AgeFile(left, 6);
        EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path("other.qvl"), "new"));
        EXPECT_EQ((std::vector<std::string>{"film.qvl", "other.qvl"}), dir.Names());
    }
}

TEST(FileWriter, OnlyTemporaryFilesNobodyHoldsAreRemoved) {
    CTempDir dir;
    const std::string locked = ".glowmotion-done-L0ckedByMe00";
    // Name, minutes since it changed, and whether a save removes it.
    const std::vector<std::tuple<std::string, int, bool>> files = {
        {".glowmotion-done-AbCdEf012345", 0, true}, // linked when complete
        {locked, 60, false},                        // held by a live save
        {".glowmotion-new-AbCdEf012345", 0, false}, // might be a save's
        {".glowmotion-new-ZyXwVu987654", 6, true},  // left alone for minutes
        {".glowmotion-0123abcd-Qw3rty", 6, true},   // an earlier version's
        {".glowmotion-0123abcd-Qw3rty", 0, false},  // ... and might be a save's
        {".glowmotion-done-short", 60, false},      // not a name we make
        {".glowmotion-notes", 60, false},           // somebody's own file
        {".glowmotion-done-AbCdEf0123-5", 60, false},
    };
    for (const auto& [name, minutes, removed] : files) {
        CTempDir folder;
        const std::string path = folder.Path(name);
        WriteBytes(path, "left");
        AgeFile(path, minutes);
        const int holder = name == locked ? ::open(path.c_str(), O_RDONLY) : -1;
        if (holder >= 0) {
            ASSERT_EQ(0, ::flock(holder, LOCK_EX));
        }
        EXPECT_EQ(EFileError::None, WriteFileSafely(folder.Path("film.qvl"), "new"));
        EXPECT_EQ(!removed, fs::exists(path)) << name << " changed " << minutes << " min ago";
        if (holder >= 0)
            ::close(holder);
    }
    // A save in place (a file with two links) cleans the folder as well.
    {
        CTempDir folder;
        WriteBytes(folder.Path(".glowmotion-done-AbCdEf012345"), "left");
        WriteBytes(folder.Path("one.qvl"), "old");
        ASSERT_EQ(0, ::link(folder.Path("one.qvl").c_str(), folder.Path("two.qvl").c_str()));
        EXPECT_EQ(EFileError::None, WriteFileSafely(folder.Path("one.qvl"), "new"));
        EXPECT_EQ((std::vector<std::string>{"one.qvl", "two.qvl"}), folder.Names());
    }
    // Not a regular file, or with another link: not a temporary file.
    fs::create_directory(dir.Path(".glowmotion-done-F0lder000000"));
    WriteBytes(dir.Path("kept.qvl"), "kept");
    ASSERT_EQ(
        0, ::link(dir.Path("kept.qvl").c_str(), dir.Path(".glowmotion-done-L1nked000000").c_str()));
    EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path("film.qvl"), "new"));
    EXPECT_EQ((std::vector<std::string>{".glowmotion-done-F0lder000000",
                                        ".glowmotion-done-L1nked000000", "film.qvl", "kept.qvl"}),
              dir.Names());
}

TEST(FileWriter, LinksAreFollowedAndKept) {
    CTempDir dir;
    // Hard links: written in place, so both names see the new bytes.
    const std::string one = dir.Path("one.qvl");
    const std::string two = dir.Path("two.qvl");
    WriteBytes(one, "old bytes");
    ASSERT_EQ(0, ::link(one.c_str(), two.c_str()));
    const ino_t inode = StatOf(one).st_ino;
    EXPECT_EQ(EFileError::None, WriteFileSafely(two, "new"));
    EXPECT_EQ("new", ReadBytes(one));
    EXPECT_EQ(inode, StatOf(two).st_ino);
    EXPECT_EQ(2u, StatOf(one).st_nlink);

    // A chain of relative symbolic links, through a subfolder.
    fs::create_directory(dir.Path("sub"));
    fs::create_symlink("../real.qvl", dir.Path("sub/first.qvl"));
    fs::create_symlink("sub/first.qvl", dir.Path("second.qvl"));
    WriteBytes(dir.Path("real.qvl"), "old");
    EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path("second.qvl"), "via links"));
    EXPECT_EQ("via links", ReadBytes(dir.Path("real.qvl")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("sub/first.qvl")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("second.qvl")));

    // A dangling link creates its target; one into a missing folder cannot.
    fs::create_symlink("../made.qvl", dir.Path("sub/dangling.qvl"));
    EXPECT_EQ(EFileError::None, WriteFileSafely(dir.Path("sub/dangling.qvl"), "made"));
    EXPECT_EQ("made", ReadBytes(dir.Path("made.qvl")));
    EXPECT_TRUE(fs::is_symlink(dir.Path("sub/dangling.qvl")));
    fs::create_symlink("nowhere/lost.qvl", dir.Path("lost.qvl"));
    EXPECT_EQ(EFileError::NotFound, WriteFileSafely(dir.Path("lost.qvl"), "x"));

    // Loops are refused and create nothing.
    fs::create_symlink("loop-b", dir.Path("loop-a"));
    fs::create_symlink("loop-a", dir.Path("loop-b"));
    fs::create_symlink("self", dir.Path("self"));
    const std::vector<std::string> before = dir.Names();
    EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(dir.Path("loop-a"), "x"));
    EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(dir.Path("self"), "x"));
    EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(dir.Path("self/x.qvl"), "x"));
    EXPECT_EQ(before, dir.Names());
}

TEST(FileWriter, RefusesWhatMayNotBeWrittenAndKeepsOtherOwners) {
    CTempDir dir;
    // Read-only files stay as they are, for root too, whom access() lets write.
    const std::string readOnly = dir.Path("ro.qvl");
    WriteBytes(readOnly, "keep");
    for (const mode_t mode : {0444, 0}) {
        ASSERT_EQ(0, ::chmod(readOnly.c_str(), mode));
        EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(readOnly, "lost"));
        EXPECT_EQ(mode, StatOf(readOnly).st_mode & 07777);
        ASSERT_EQ(0, ::chmod(readOnly.c_str(), 0600));
        EXPECT_EQ("keep", ReadBytes(readOnly));
    }
    EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(dir.Path(""), "x"));

    if (::geteuid() == 0) {
        // Another user's file keeps its owner: written in place.
        const std::string theirs = dir.Path("theirs.qvl");
        WriteBytes(theirs, "old");
        ASSERT_EQ(0, ::chown(theirs.c_str(), 65534, 65534));
        const ino_t inode = StatOf(theirs).st_ino;
        EXPECT_EQ(EFileError::None, WriteFileSafely(theirs, "new"));
        EXPECT_EQ("new", ReadBytes(theirs));
        EXPECT_EQ(65534u, StatOf(theirs).st_uid);
        EXPECT_EQ(inode, StatOf(theirs).st_ino);
    } else {
        // A folder that takes no new file: its files are written in place.
        const std::string locked = dir.Path("locked");
        fs::create_directory(locked);
        WriteBytes(locked + "/in.qvl", "old");
        ASSERT_EQ(0, ::chmod(locked.c_str(), 0555));
        EXPECT_EQ(EFileError::None, WriteFileSafely(locked + "/in.qvl", "new"));
        EXPECT_EQ("new", ReadBytes(locked + "/in.qvl"));
        EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(locked + "/new.qvl", "x"));
        ::chmod(locked.c_str(), 0755);
    }
}

TEST(FileWriter, DevicesFifosAndOpenFilesStayWhatTheyAre) {
    CTempDir dir;
    const CDeadline deadline;
    if (const std::string null = NullDevice(dir); !null.empty()) {
        const dev_t device = StatOf(null).st_rdev;
        EXPECT_EQ(EFileError::None, WriteFileSafely(null, "gone"));
        EXPECT_TRUE(S_ISCHR(StatOf(null).st_mode));
        EXPECT_EQ(device, StatOf(null).st_rdev);
    }

    const std::string fifo = dir.Path("pipe.qvl");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(EFileError::None, WriteFileSafely(fifo, "through"));
    EXPECT_EQ("through", Drain(reader));
    ::close(reader);
    // Without a reader the write fails at once.
    EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(fifo, "nobody"));
    EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
    // A reader that leaves while the writer waits for room fails the write;
    // SIGPIPE would end the program.
    const int leaving = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leaving, 0);
    std::thread leave([leaving] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::close(leaving);
    });
    EXPECT_EQ(EFileError::WriteFailed, WriteFileSafely(fifo, std::string(1 << 20, 'x')));
    leave.join();
    sigset_t pending;
    sigpending(&pending);
    EXPECT_EQ(0, sigismember(&pending, SIGPIPE));

    // /proc/self/fd/N names an open file, as /dev/stdout does: written
    // through, never replaced by a file of that name.
    int pipeFds[2];
    ASSERT_EQ(0, ::pipe(pipeFds));
    EXPECT_EQ(EFileError::None,
              WriteFileSafely("/proc/self/fd/" + std::to_string(pipeFds[1]), "piped"));
    EXPECT_EQ("piped", Drain(pipeFds[0]));
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    const std::string log = dir.Path("log.qvl");
    WriteBytes(log, "old bytes");
    const int held = ::open(log.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    EXPECT_EQ(EFileError::None, WriteFileSafely("/proc/self/fd/" + std::to_string(held), "new"));
    EXPECT_EQ("new", Drain(held));
    ::close(held);
}

TEST(FileReader, ReadsOnlyRegularFilesAndNeverWaits) {
    CTempDir dir;
    const CDeadline deadline;
    const std::string fifo = dir.Path("pipe.qvl");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    std::string bytes = "kept";
    EXPECT_EQ(EFileError::ReadFailed, ReadFileLimited(fifo, 100, bytes));
    EXPECT_EQ(EFileError::ReadFailed, ReadFileLimited(dir.Dir().string(), 100, bytes));
    EXPECT_EQ(EFileError::ReadFailed, ReadFileLimited("/dev/null", 100, bytes));
    EXPECT_EQ(EFileError::NotFound, ReadFileLimited(dir.Path("none.qvl"), 100, bytes));
    EXPECT_EQ("kept", bytes);

    WriteBytes(dir.Path("real.qvl"), "data");
    fs::create_symlink("real.qvl", dir.Path("link.qvl"));
    EXPECT_EQ(EFileError::None, ReadFileLimited(dir.Path("link.qvl"), 4, bytes));
    EXPECT_EQ("data", bytes);
    EXPECT_EQ(EFileError::TooLarge, ReadFileLimited(dir.Path("link.qvl"), 3, bytes));
}

} // namespace
