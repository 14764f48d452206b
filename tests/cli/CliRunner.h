#pragma once

#include "TestFiles.h"

#include <string>
#include <utility>
#include <vector>

// What one run of glowmotion-cli gave.
struct SCliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A temporary folder for the files of one test, removed with the object.
class CCliFolder : public CTempDir {
public:
    // Writes `bytes` to the file `name` of the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

    // Runs the built glowmotion-cli with `args`, without a shell, and
    // collects its exit code, stdout and stderr. A run that takes longer
    // than `timeoutSeconds` is killed and gives the exit code -SIGKILL.
    SCliResult Run(const std::vector<std::string>& args, int timeoutSeconds = 60) const;
};

// Whether `err` is what a usage error prints: one line that names the
// error and points to --help.
bool IsUsageLine(const std::string& err);

// One 192-byte screen of a .qvl file with the given (column, row) dots lit,
// built byte by byte: column words little-endian, bit 31 the top row.
std::string QvlScreen(const std::vector<std::pair<int, int>>& litDots = {});

// `count` screens; screen n (1-based) has the dot at column 0, row n % 32 and
// the dot at column n / 32 + 1, row 0 lit, so every screen differs.
std::string NumberedQvl(int count);
