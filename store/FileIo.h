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

// Reads at most `maxBytes` bytes of the file at `path` into `bytes`. A file
// with more bytes gives TooLarge and nothing is read beyond maxBytes + 1, so
// huge or endless files (devices, pipes) cost nothing.
EFileError ReadFileLimited(const std::string& path, size_t maxBytes, std::string& bytes);

// Writes `bytes` to `path` so that the old file survives any failure: the data
// goes to a temporary file beside the target, is flushed to disk, and then
// renamed over the target. A symbolic link is followed and its target
// replaced; an existing file keeps its permissions.
EFileError WriteFileAtomically(const std::string& path, std::string_view bytes);

// Shows the standard message box for a failed read or write of `path`
// (caption kAppCaption). Does nothing for EFileError::None.
void ReportFileError(CPlatform& platform, const std::string& path, EFileError error);

// The text of that message, for callers that print instead of showing it.
std::string FileErrorText(const std::string& path, EFileError error);

// Reads the first `count` bytes of the regular file at `path` into `bytes`
// (all of it when it is shorter). What is not a regular file (a folder, a
// device, a pipe) gives ReadFailed without waiting for data.
EFileError ReadFileHead(const std::string& path, size_t count, std::string& bytes);
