#include "TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

CTempDir::CTempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "glowmotion-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    m_dir = pattern;
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_dir, ignored);
}

std::vector<std::string> CTempDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string NullDevice(const CTempDir& dir) {
    if (::geteuid() != 0)
        return ::access("/dev/null", W_OK) == 0 ? "/dev/null" : "";
    const std::string copy = dir.Path("null");
    if (::mknod(copy.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        return "";
    // A folder mounted nodev holds the node but does not open it.
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        ::unlink(copy.c_str());
        return "";
    }
    ::close(fd);
    return copy;
}

bool MakesUnnamedFiles(const CTempDir& dir) {
    const int fd = ::open(dir.Dir().c_str(), O_TMPFILE | O_RDWR, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
