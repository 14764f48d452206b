#include "CliRunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

std::string CCliFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    WriteBytes(path, bytes);
    return path;
}

SCliResult CCliFolder::Run(const std::vector<std::string>& args, int timeoutSeconds) const {
    std::vector<std::string> argv{CliPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(*this, argv, timeoutSeconds);
}

CBackgroundRun::CBackgroundRun(const CCliFolder& dir, const std::vector<std::string>& argv) {
    // Output goes to files rather than pipes: no risk of a full pipe
    // blocking the child while the parent waits.
    static int serial = 0;
    ++serial;
    m_out = dir.Path(".run" + std::to_string(serial) + ".out");
    m_err = dir.Path(".run" + std::to_string(serial) + ".err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> store = argv;
    std::vector<char*> args;
    for (std::string& arg : store)
        args.push_back(arg.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0)
        m_pid = pid;
    posix_spawn_file_actions_destroy(&actions);
}

CBackgroundRun::~CBackgroundRun() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

void CBackgroundRun::Signal(int signal) const {
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

SCliResult CBackgroundRun::Wait(int timeoutSeconds) {
    SCliResult result;
    if (m_pid <= 0)
        return result;
    // A program that hangs fails the test instead of stopping the whole run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid)
            break;
        if (done < 0 && errno != EINTR)
            return result;
        if (std::chrono::steady_clock::now() > deadline)
            ::kill(m_pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    m_pid = -1;
    // A crash shows as a negative code, never as one of the program's own.
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.out = ReadBytes(m_out);
    result.err = ReadBytes(m_err);
    return result;
}

SCliResult RunProgram(const CCliFolder& dir, const std::vector<std::string>& argv,
                      int timeoutSeconds) {
    CBackgroundRun run(dir, argv);
    return run.Wait(timeoutSeconds);
}

const char* CliPath() {
    return GLOWMOTION_CLI_PATH;
}

std::string QvlScreen(const std::vector<std::pair<int, int>>& litDots) {
    std::string bytes(192, '\0');
    for (const auto& [column, row] : litDots) {
        const unsigned bit = 31 - row;
        bytes[column * 4 + bit / 8] = static_cast<char>(bytes[column * 4 + bit / 8] | 1 << bit % 8);
    }
    return bytes;
}

std::vector<std::uint32_t> ScreenWords(const std::string& qvl, int screen) {
    std::vector<std::uint32_t> words(48, 0);
    const size_t start = static_cast<size_t>(screen) * 192;
    for (size_t column = 0; column < 48 && start + column * 4 + 3 < qvl.size(); ++column)
        for (size_t k = 0; k < 4; ++k)
            words[column] |=
                static_cast<std::uint32_t>(static_cast<unsigned char>(qvl[start + column * 4 + k]))
                << (8 * k);
    return words;
}

bool IsUsageLine(const std::string& err) {
    const std::string start = "glowmotion-cli: ";
    const std::string end = "; see glowmotion-cli --help\n";
    return err.size() > start.size() + end.size() && err.compare(0, start.size(), start) == 0 &&
           err.compare(err.size() - end.size(), end.size(), end) == 0 &&
           err.find('\n') == err.size() - 1;
}

std::string NumberedQvl(int count) {
    std::string bytes;
    for (int n = 1; n <= count; ++n)
        bytes += QvlScreen({{0, n % 32}, {n / 32 + 1, 0}});
    return bytes;
}
