#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A temporary folder removed with the object.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    const std::filesystem::path& Dir() const { return m_dir; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::filesystem::path m_dir;
};

// Writes `bytes` to `path`.
void WriteBytes(const std::string& path, const std::string& bytes);

// The whole content of the file at `path`.
std::string ReadBytes(const std::string& path);

// Whether the folder makes unnamed files (O_TMPFILE), as most local file
// systems do.
bool MakesUnnamedFiles(const CTempDir& dir);

// A character device that discards what is written to it, for tests that
// write into a device: /dev/null for a user who cannot replace it, and for
// root, who could, a copy of it made in `dir`, so that a faulty writer never
// destroys the real one. Empty when there is none to write.
std::string NullDevice(const CTempDir& dir);
