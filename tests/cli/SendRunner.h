#pragma once

#include "CliRunner.h"

#include <string>
#include <vector>

#include <sys/types.h>

// Runs of glowmotion-cli send and of the programs around it (unshare, the
// OLA daemon) for the live output tests.

// Column words of a screen from 192 bytes of a .qvl file.
std::vector<std::uint32_t> ScreenWords(const std::string& qvl, int screen);

// `count` screens that differ in many dots: a diagonal moving right, a full
// row moving down, the four corners.
std::string PatternQvl(int count);

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
    const CCliFolder& m_dir;
    pid_t m_pid = -1;
    std::string m_out;
    std::string m_err;
};

// Runs `argv` to its end (see CBackgroundRun).
SCliResult RunProgram(const CCliFolder& dir, const std::vector<std::string>& argv,
                      int timeoutSeconds = 60);

// The path of the built glowmotion-cli.
const char* CliPath();

// Whether this process may make a network namespace (`unshare -n`); the
// reason to skip when not.
bool CanUnshareNetwork(std::string& why);
