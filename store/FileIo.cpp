#include "store/FileIo.h"

#include "store/MessageText.h"
#include "store/Platform.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {


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

// The file a save really replaces: the end of a chain of symbolic links.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

} // namespace

EFileError ReadFileLimited(const std::string& path, size_t maxBytes, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? EFileError::NotFound : EFileError::ReadFailed;
    std::string data;
    char buffer[65536];
    EFileError result = EFileError::None;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result = EFileError::ReadFailed;
            break;
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<size_t>(got));
        if (data.size() > maxBytes) {
            result = EFileError::TooLarge;
            break;
        }
    }
    ::close(fd);
    if (result == EFileError::None)
        bytes = std::move(data);
    return result;
}

EFileError WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0)
        return errno == ENOENT || errno == ENOTDIR ? EFileError::NotFound : EFileError::WriteFailed;

    std::string temp =
        (slash == std::string::npos ? std::string() : folder) + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return EFileError::WriteFailed;

    // An existing file keeps its mode; a new one gets the usual 0666 & ~umask.
    struct stat old {};
    mode_t mode;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return EFileError::WriteFailed;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return EFileError::None;
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
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? EFileError::NotFound : EFileError::ReadFailed;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return EFileError::ReadFailed;
    }
    std::string data(count, '\0');
    size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, data.data() + got, count - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return EFileError::ReadFailed;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    data.resize(got);
    bytes = std::move(data);
    return EFileError::None;
}
