#include "SyscallFaults.h"

#include <array>
#include <cerrno>
#include <cstdarg>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
int __real_open(const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* data, size_t count);
int __real_fsync(int fd);
int __real_linkat(int oldDir, const char* oldPath, int newDir, const char* newPath, int flags);
int __real_rename(const char* from, const char* to);
int __real_fchmod(int fd, mode_t mode);
int __real_ftruncate(int fd, off_t length);
int __real_posix_fallocate(int fd, off_t offset, off_t length);
}

namespace {

struct SPlanted {
    ESyscall call = ESyscall::Count;
    int error = 0;
    int nth = 0;
};

SPlanted g_planted;
bool g_struck = false;
bool g_refuseUnnamed = false;
std::array<int, static_cast<size_t>(ESyscall::Count)> g_counts{};

// Counts the call and tells whether it is the one to fail; sets errno then.
bool Fails(ESyscall call) {
    const int count = ++g_counts[static_cast<size_t>(call)];
    if (g_planted.call != call || count != g_planted.nth)
        return false;
    g_planted.call = ESyscall::Count;
    g_struck = true;
    errno = g_planted.error;
    return true;
}

} // namespace

void PlantFault(ESyscall call, int error, int nth) {
    g_planted = SPlanted{call, error, CallCount(call) + nth};
    g_struck = false;
}

void RefuseUnnamedFiles(bool refuse) {
    g_refuseUnnamed = refuse;
}

void ClearFaults() {
    g_planted = SPlanted{};
    g_struck = false;
    g_refuseUnnamed = false;
    g_counts.fill(0);
}

int CallCount(ESyscall call) {
    return g_counts[static_cast<size_t>(call)];
}

bool FaultStruck() {
    return g_struck;
}

extern "C" {

int __wrap_open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = static_cast<mode_t>(va_arg(args, unsigned));
        va_end(args);
    }
    if (g_refuseUnnamed && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    // Only opens that make a file count: those are the writer's.
    if (((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) && Fails(ESyscall::Open))
        return -1;
    return __real_open(path, flags, mode);
}

ssize_t __wrap_write(int fd, const void* data, size_t count) {
    return Fails(ESyscall::Write) ? -1 : __real_write(fd, data, count);
}

int __wrap_fsync(int fd) {
    return Fails(ESyscall::Fsync) ? -1 : __real_fsync(fd);
}

int __wrap_linkat(int oldDir, const char* oldPath, int newDir, const char* newPath, int flags) {
    return Fails(ESyscall::Linkat) ? -1 : __real_linkat(oldDir, oldPath, newDir, newPath, flags);
}

int __wrap_rename(const char* from, const char* to) {
    return Fails(ESyscall::Rename) ? -1 : __real_rename(from, to);
}

int __wrap_fchmod(int fd, mode_t mode) {
    return Fails(ESyscall::Fchmod) ? -1 : __real_fchmod(fd, mode);
}

int __wrap_ftruncate(int fd, off_t length) {
    return Fails(ESyscall::Ftruncate) ? -1 : __real_ftruncate(fd, length);
}

// posix_fallocate reports its error as its result, not in errno.
int __wrap_posix_fallocate(int fd, off_t offset, off_t length) {
    if (Fails(ESyscall::Fallocate))
        return errno;
    return __real_posix_fallocate(fd, offset, length);
}

} // extern "C"
