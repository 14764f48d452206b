#include "store/FileIo.h"

#include "store/MessageText.h"
#include "store/Platform.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>

namespace {

// The kernel gives up after 40 links in a row; so do we, and call it a loop.
constexpr int kMaxLinkHops = 40;

// f_type of /proc (PROC_SUPER_MAGIC).
constexpr long kProcFileSystem = 0x9fa0;

// Temporary files live beside their target under one of two names. A
// ".glowmotion-done-RRRRRRRRRRRR" file is made without a name (O_TMPFILE),
// written, flushed and locked, and only then linked into the folder, so one
// that nobody holds locked is what a killed save left. Where the file system
// makes no unnamed files, ".glowmotion-new-RRRRRRRRRRRR" is created by name
// and locked a moment later; one that is not locked is left over only when
// it has not changed for kStaleSeconds. Both names have a fixed length, so
// even a 255-byte target name gets its temporary file.
constexpr std::string_view kTempPrefix = ".glowmotion-";
constexpr std::string_view kDoneTemp = "done-";
constexpr std::string_view kNewTemp = "new-";
constexpr size_t kTempRandomLength = 12;
constexpr time_t kStaleSeconds = 5 * 60;

EFileError ErrorFromErrno(int error, EFileError otherwise) {
    return error == ENOENT || error == ENOTDIR ? EFileError::NotFound : otherwise;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// WriteAll for a FIFO, socket or terminal: a reader that goes away makes the
// write fail with EPIPE instead of SIGPIPE ending the program.
bool WriteAllWithoutSigpipe(int fd, std::string_view bytes) {
    sigset_t pipeOnly, pending, old;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &old);
    const bool ok = WriteAll(fd, bytes);
    if (!ok && errno == EPIPE && !wasPending) {
        // Take back the SIGPIPE this write raised before unblocking it.
        const timespec noWait{};
        while (sigtimedwait(&pipeOnly, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return ok;
}

// A path cut after its last slash: `folder` keeps the slash ("" for the
// current folder), `name` is what follows.
struct SPathParts {
    std::string folder;
    std::string name;

    std::string FolderToOpen() const { return folder.empty() ? "." : folder; }
};

SPathParts SplitPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Where a save of `path` goes. `target` is the end of its chain of symbolic
// links, which need not exist yet. `openFile` is set when the chain passes a
// link of /proc (/dev/stdout, /proc/self/fd/N): such a link names an open
// file, not a place in a folder, so `path` itself must be opened.
EFileError ResolveTarget(const std::string& path, std::string& target, bool& openFile) {
    target = path;
    openFile = false;
    for (int hop = 0;; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? EFileError::None
                                   : ErrorFromErrno(errno, EFileError::WriteFailed);
        if (!S_ISLNK(info.st_mode))
            return EFileError::None;
        if (hop == kMaxLinkHops)
            return EFileError::WriteFailed;
        const SPathParts parts = SplitPath(target);
        struct statfs fs {};
        if (::statfs(parts.FolderToOpen().c_str(), &fs) == 0 && fs.f_type == kProcFileSystem) {
            openFile = true;
            return EFileError::None;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<size_t>(length) >= link.size())
            return EFileError::WriteFailed;
        link.resize(static_cast<size_t>(length));
        target = link.front() == '/' ? link : parts.folder + link;
    }
}

// Whether this process may write the existing file `path`. Root passes every
// permission check, so for root a file without a single write bit counts as
// read-only: somebody made it so on purpose.
bool MayWrite(const std::string& path, const struct stat& info) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    return ::geteuid() != 0 || (info.st_mode & 0222) != 0;
}

// What kind of temporary file the folder entry `name` is.
enum class ETempKind { None, Done, New };

bool IsRandomPart(std::string_view text, size_t length) {
    return text.size() == length && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

ETempKind TempKindOf(std::string_view name) {
    if (!name.starts_with(kTempPrefix))
        return ETempKind::None;
    name.remove_prefix(kTempPrefix.size());
    if (name.starts_with(kDoneTemp) &&
        IsRandomPart(name.substr(kDoneTemp.size()), kTempRandomLength))
        return ETempKind::Done;
    if (name.starts_with(kNewTemp) && IsRandomPart(name.substr(kNewTemp.size()), kTempRandomLength))
        return ETempKind::New;
    // Earlier versions named theirs after a hash of the target:
    // 8 hexadecimal digits, a dash and 6 random characters.
    constexpr std::string_view kHex = "0123456789abcdef";
    if (name.size() == 15 && name[8] == '-' &&
        name.substr(0, 8).find_first_not_of(kHex) == std::string_view::npos &&
        IsRandomPart(name.substr(9), 6))
        return ETempKind::New;
    return ETempKind::None;
}

// Removes from `folder` the temporary files of saves that were killed,
// whatever file they were saving. A live save holds a lock on its temporary
// file until the rename, and the lock dies with the process; a file made by
// name may be caught between its creation and its lock, so it must also
// have been left alone for a while.
void RemoveStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const ETempKind kind = TempKindOf(entry->d_name);
        if (kind == ETempKind::None)
            continue;
        struct stat seen {};
        if (::fstatat(dirFd, entry->d_name, &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(seen.st_mode) || seen.st_nlink != 1 || seen.st_uid != ::geteuid())
            continue;
        if (kind == ETempKind::New && now - seen.st_mtime < kStaleSeconds)
            continue;
        // A lock needs an open file, for reading or for writing.
        int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            fd = ::openat(dirFd, entry->d_name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held {};
        struct stat again {};
        // Removed only while it is the file looked at and nobody holds it:
        // a save that renamed it away meanwhile keeps its file.
        if (::fstat(fd, &held) == 0 && held.st_ino == seen.st_ino && held.st_dev == seen.st_dev &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &again, AT_SYMLINK_NOFOLLOW) == 0 &&
            again.st_ino == held.st_ino && again.st_dev == held.st_dev)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// `count` random letters and digits; empty when the system gives no
// random bytes.
std::string RandomPart(size_t count) {
    constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string random(count, '\0');
    if (::getrandom(random.data(), count, 0) != static_cast<ssize_t>(count))
        return {};
    for (char& c : random)
        c = kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)];
    return random;
}

// Errors of an O_TMPFILE open that mean the file system or the kernel makes
// no unnamed files, rather than that the folder takes no new file.
bool NoUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// The temporary file of one save. It is removed, unless it was committed,
// when the object goes.
class CTemporaryFile {
public:
    CTemporaryFile() = default;
    ~CTemporaryFile() {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // Creates an empty file with `mode` in the folder of `parts` and locks
    // it: unnamed where the file system allows, else by name. False with
    // errno set when the folder takes no file.
    bool Create(const SPathParts& parts, mode_t mode) {
        m_folder = parts.folder;
        // The unnamed file is named later through /proc/self/fd.
        if (::access("/proc/self/fd", X_OK) == 0) {
            m_fd = ::open(parts.FolderToOpen().c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
            if (m_fd >= 0) {
                ::flock(m_fd, LOCK_EX | LOCK_NB);
                return true;
            }
            if (!NoUnnamedFiles(errno))
                return false;
        }
        if (!TakeFreshName(kNewTemp, [&](const std::string& path) {
                m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
                return m_fd >= 0;
            }))
            return false;
        ::flock(m_fd, LOCK_EX | LOCK_NB);
        return true;
    }

    int Fd() const { return m_fd; }

    // Moves the written file over `target` in one step. False with errno
    // set when it cannot; the target is then untouched.
    bool Commit(const std::string& target) {
        if (m_path.empty() && !Link())
            return false;
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            return false;
        m_path.clear();
        return true;
    }

private:
    // Gives the unnamed file its temporary name, still locked.
    bool Link() {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        return TakeFreshName(kDoneTemp, [&](const std::string& path) {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
        });
    }

    // Makes up temporary names of `kind` in the folder and hands each to
    // `make` until it takes one, which becomes the file's name; another
    // save's name (EEXIST) means another try. False with errno set when
    // `make` fails otherwise, or no name is free after 100 tries.
    template <typename Make>
    bool TakeFreshName(std::string_view kind, Make make) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string random = RandomPart(kTempRandomLength);
            if (random.empty())
                return false;
            std::string path = m_folder + std::string(kTempPrefix) + std::string(kind) + random;
            if (make(path)) {
                m_path = std::move(path);
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    std::string m_folder;
    std::string m_path; // the name it has, while it is ours to remove
    int m_fd = -1;
};

enum class EReplaced { Yes, Failed, NotPossible };

// Writes `bytes` to a temporary file beside the target and renames it over
// the target, which `old` describes when it exists. NotPossible when the
// folder takes no temporary file or the old file's group cannot be kept; the
// target is untouched then, and after Failed too.
EReplaced ReplaceFile(const SPathParts& parts, const struct stat* old, std::string_view bytes) {
    RemoveStaleTemporaries(parts.FolderToOpen());
    // A new file gets what the kernel gives any new file (umask, default
    // ACLs); the new data of an existing one is readable by nobody else
    // until its own mode is set.
    CTemporaryFile temp;
    if (!temp.Create(parts, old != nullptr ? 0600 : 0666)) {
        // Only a folder that refuses new names sends the save in place; a
        // full disk would not spare the old file there either.
        return errno == EACCES || errno == EPERM ? EReplaced::NotPossible : EReplaced::Failed;
    }
    const int fd = temp.Fd();
    if (old != nullptr) {
        struct stat made {};
        if (::fstat(fd, &made) != 0)
            return EReplaced::Failed;
        if (made.st_gid != old->st_gid && ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0)
            return EReplaced::NotPossible;
        // After the chown, which clears the set-id bits.
        if (::fchmod(fd, old->st_mode & 07777) != 0)
            return EReplaced::Failed;
    }
    // The file is renamed while it is still open, so that its lock guards
    // it until it has its final name.
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0 || !temp.Commit(parts.folder + parts.name))
        return EReplaced::Failed;
    // Make the rename itself durable. The new file is in place whatever
    // this says, so a folder that cannot be flushed fails nothing.
    const int dirFd = ::open(parts.FolderToOpen().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return EReplaced::Yes;
}

// Makes the regular file `fd` hold room for `size` bytes before any of its
// bytes is overwritten, so that a full disk refuses a save in place while
// the old content is still whole. File systems that cannot reserve room go
// ahead without; false only when there is no room (or the disk failed).
bool ReserveRoom(int fd, size_t size) {
    if (size == 0)
        return true;
    int error = 0;
    do
        error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
    while (error == EINTR);
    return error != ENOSPC && error != EDQUOT && error != EFBIG && error != EIO;
}

// Writes `bytes` into the file at `path` itself, creating it when `create`
// is set. The open does not wait: a FIFO nobody reads fails with ENXIO.
EFileError WriteInPlace(const std::string& path, std::string_view bytes, bool create) {
    const int flags =
        O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        return ErrorFromErrno(errno, EFileError::WriteFailed);
    // Only the open must not wait for a missing reader; the writes may wait
    // for a slow one.
    const int status = ::fcntl(fd, F_GETFL);
    struct stat info {};
    bool ok =
        status >= 0 && ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0 && ::fstat(fd, &info) == 0;
    if (ok && S_ISREG(info.st_mode)) {
        // Room first, then overwritten, then cut: the blocks the old data
        // held are reused instead of freed first.
        ok = ReserveRoom(fd, bytes.size()) && WriteAll(fd, bytes) &&
             ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    } else if (ok) {
        ok = WriteAllWithoutSigpipe(fd, bytes);
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok && create)
        ::unlink(path.c_str());
    return ok ? EFileError::None : EFileError::WriteFailed;
}

// Opens the regular file at `path` for reading. A FIFO or device could keep
// open() or read() waiting forever, and opening some devices does something:
// look before opening, open without waiting, and check again what was opened.
EFileError OpenRegularFile(const std::string& path, int& fd, struct stat& info) {
    if (::stat(path.c_str(), &info) != 0)
        return ErrorFromErrno(errno, EFileError::ReadFailed);
    if (!S_ISREG(info.st_mode))
        return EFileError::ReadFailed;
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return ErrorFromErrno(errno, EFileError::ReadFailed);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return EFileError::ReadFailed;
    }
    return EFileError::None;
}

// Reads from `fd` until its end or until `limit` bytes are in `data`.
bool ReadUpTo(int fd, size_t limit, std::string& data) {
    char buffer[65536];
    while (data.size() < limit) {
        const size_t room = limit - data.size();
        const ssize_t got = ::read(fd, buffer, room < sizeof buffer ? room : sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        data.append(buffer, static_cast<size_t>(got));
    }
    return true;
}

// How often a reader tries to read a file that changes while it is read.
constexpr int kReadAttempts = 3;

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether the file stayed as `before` describes until `after` was taken: the
// same size and the same change times.
bool StoodStill(const struct stat& before, const struct stat& after) {
    return before.st_size == after.st_size && SameTime(before.st_mtim, after.st_mtim) &&
           SameTime(before.st_ctim, after.st_ctim);
}

} // namespace

EFileError ReadFileLimited(const std::string& path, size_t maxBytes, std::string& bytes) {
    int fd = -1;
    struct stat info {};
    if (const EFileError error = OpenRegularFile(path, fd, info); error != EFileError::None)
        return error;
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        ::close(fd);
        return EFileError::TooLarge;
    }
    // Read on all the same: a file may grow meanwhile, and files of /proc
    // tell no size. One byte past the limit tells a file that is too large.
    // Another program may rewrite the file in place while it is read; what
    // was read then mixes two contents, so it is read again until the file
    // stood still, and refused when it never does.
    std::string data;
    bool ok = false;
    for (int attempt = 0; attempt < kReadAttempts && !ok; ++attempt) {
        data.clear();
        struct stat after {};
        if (::lseek(fd, 0, SEEK_SET) != 0 || !ReadUpTo(fd, maxBytes + 1, data) ||
            ::fstat(fd, &after) != 0)
            break;
        // Too large is the answer however the file changed.
        ok = data.size() > maxBytes || StoodStill(info, after);
        info = after;
    }
    ::close(fd);
    if (!ok)
        return EFileError::ReadFailed;
    if (data.size() > maxBytes)
        return EFileError::TooLarge;
    bytes = std::move(data);
    return EFileError::None;
}

EFileError WriteFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return EFileError::NotFound;
    std::string target;
    bool openFile = false;
    if (const EFileError error = ResolveTarget(path, target, openFile); error != EFileError::None)
        return error;
    const std::string& name = openFile ? path : target;
    const SPathParts parts = SplitPath(target);
    struct stat info {};
    if ((openFile ? ::stat(name.c_str(), &info) : ::lstat(name.c_str(), &info)) != 0) {
        if (errno != ENOENT || openFile)
            return ErrorFromErrno(errno, EFileError::WriteFailed);
        // A new file, in a folder that must exist.
        struct stat folder {};
        if (::stat(parts.FolderToOpen().c_str(), &folder) != 0)
            return ErrorFromErrno(errno, EFileError::WriteFailed);
        if (!S_ISDIR(folder.st_mode))
            return EFileError::NotFound;
        if (parts.name.empty())
            return EFileError::WriteFailed;
        switch (ReplaceFile(parts, nullptr, bytes)) {
        case EReplaced::Yes:
            return EFileError::None;
        case EReplaced::Failed:
            return EFileError::WriteFailed;
        case EReplaced::NotPossible:
            return WriteInPlace(target, bytes, true);
        }
    }
    if (S_ISDIR(info.st_mode) || !MayWrite(name, info))
        return EFileError::WriteFailed;
    if (!openFile && S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_uid == ::geteuid()) {
        switch (ReplaceFile(parts, &info, bytes)) {
        case EReplaced::Yes:
            return EFileError::None;
        case EReplaced::Failed:
            return EFileError::WriteFailed;
        case EReplaced::NotPossible:
            break;
        }
    } else if (!openFile && S_ISREG(info.st_mode)) {
        // Saved in place, but into a folder all the same.
        RemoveStaleTemporaries(parts.FolderToOpen());
    }
    return WriteInPlace(name, bytes, false);
}

std::string FileErrorText(const std::string& path, EFileError error) {
    switch (error) {
    case EFileError::None:
        return {};
    case EFileError::NotFound:
        return FormatMessage("%1 が見つかりません。", {path});
    case EFileError::ReadFailed:
    case EFileError::TooLarge:
        return FormatMessage("%1 の読み取り中に予期しないｴﾗｰが発生しました。", {path});
    case EFileError::WriteFailed:
        return FormatMessage("%1 の書き込み中に予期しないｴﾗｰが発生しました。", {path});
    }
    return {};
}

void ReportFileError(CPlatform& platform, const std::string& path, EFileError error) {
    if (error == EFileError::None)
        return;
    platform.MessageBox(FileErrorText(path, error), kAppCaption, MB_OK | MB_ICONEXCLAMATION);
}

EFileError ReadFileHead(const std::string& path, size_t count, std::string& bytes) {
    int fd = -1;
    struct stat info {};
    if (const EFileError error = OpenRegularFile(path, fd, info); error != EFileError::None)
        return error;
    std::string data;
    const bool ok = ReadUpTo(fd, count, data);
    ::close(fd);
    if (!ok)
        return EFileError::ReadFailed;
    bytes = std::move(data);
    return EFileError::None;
}
