#pragma once

#include <string>
#include <string_view>

class CPlatform;

// How a file operation ended.
enum class EFileError {
    None,
    NotFound,    // the file or a folder on its path does not exist
    ReadFailed,  // it exists but could not be opened or read
    WriteFailed, // it could not be created, written or moved into place
    TooLarge,    // it holds more bytes than the reader accepts
};

// Reads at most `maxBytes` bytes of the file at `path` into `bytes`. Only a
// regular file is read: a folder, FIFO, device or socket gives ReadFailed at
// once, without waiting for a writer. A file with more bytes gives TooLarge
// and nothing is read beyond maxBytes + 1. On failure `bytes` is unchanged.
EFileError ReadFileLimited(const std::string& path, size_t maxBytes, std::string& bytes);

// Reads the first `count` bytes of the regular file at `path` into `bytes`
// (all of it when it is shorter). What is not a regular file (a folder, a
// device, a pipe) gives ReadFailed without waiting for data.
EFileError ReadFileHead(const std::string& path, size_t count, std::string& bytes);

// Writes `bytes` to `path`, choosing the way as Vim's backupcopy=auto does.
// Symbolic links are followed (a dangling one creates its target). A new
// file, or a regular file this process owns with a single link, is replaced
// through a temporary file beside it that is flushed and renamed over it, so
// the old file survives any failure; it keeps its mode and group. Saves that
// run at the same time never disturb each other's temporary files, and each
// save removes those that killed saves left in the folder. Anything else is
// written in place, so that it stays what it is: a device or FIFO, a file
// with other links or another owner, a file named by an open descriptor
// (/dev/stdout), a file whose folder takes no temporary file. A regular file
// written in place first reserves room for the new bytes, so that a full
// disk refuses the save before the old content changes. A FIFO without a
// reader fails at once. Refused with WriteFailed: a target without write
// permission (for root: one without any write bit), a folder, a link loop,
// and any failed write, flush or rename. NotFound when the folder does not
// exist.
EFileError WriteFileSafely(const std::string& path, std::string_view bytes);

// Shows the standard message box for a failed read or write of `path`
// (caption kAppCaption). Does nothing for EFileError::None.
void ReportFileError(CPlatform& platform, const std::string& path, EFileError error);

// The text of that message, for callers that print instead of showing it.
std::string FileErrorText(const std::string& path, EFileError error);
