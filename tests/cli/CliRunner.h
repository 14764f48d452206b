#pragma once

#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

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
    // collects its exit code, stdout and stderr (RunProgram).
    SCliResult Run(const std::vector<std::string>& args, int timeoutSeconds = 60) const;
};

// A program started in the background with its output in files of `dir`.
class CBackgroundRun {
public:
    // Starts `argv` (argv[0] a path or a name found on PATH).
    CBackgroundRun(const CCliFolder& dir, const std::vector<std::string>& argv);
    // Kills a run still going.
    ~CBackgroundRun();
    bool Started() const { return m_pid > 0; }
    void Signal(int signal) const;
    // Waits for the end (killing it after `timeoutSeconds`) and returns what
    // it gave.
    SCliResult Wait(int timeoutSeconds = 60);

private:
    pid_t m_pid = -1;
    std::string m_out;
    std::string m_err;
};

// Runs `argv` to its end (see CBackgroundRun). A run that takes longer
// than `timeoutSeconds` is killed and gives the exit code -SIGKILL; a crash
// shows as minus its signal, never as one of the program's own codes.
SCliResult RunProgram(const CCliFolder& dir, const std::vector<std::string>& argv,
                      int timeoutSeconds = 60);

// The path of the built glowmotion-cli.
const char* CliPath();

// Whether `err` is what a usage error prints: one line that names the
// error and points to --help.
bool IsUsageLine(const std::string& err);

// One 192-byte screen of a .qvl file with the given (column, row) dots lit,
// built byte by byte: column words little-endian, bit 31 the top row.
std::string QvlScreen(const std::vector<std::pair<int, int>>& litDots = {});

// The 48 column words of screen `screen` (from 0) of .qvl bytes, read back
// as QvlScreen builds them; a word past the end of the bytes is 0.
std::vector<std::uint32_t> ScreenWords(const std::string& qvl, int screen);

// `count` screens; screen n (1-based) has the dot at column 0, row n % 32 and
// the dot at column n / 32 + 1, row 0 lit, so every screen differs.
std::string NumberedQvl(int count);
