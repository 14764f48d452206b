#include "SendRunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

std::vector<std::uint32_t> ScreenWords(const std::string& qvl, int screen) {
    std::vector<std::uint32_t> words(48);
    for (size_t column = 0; column < 48; ++column)
        for (size_t k = 0; k < 4; ++k)
            words[column] |= static_cast<std::uint32_t>(static_cast<unsigned char>(
                                 qvl[static_cast<size_t>(screen) * 192 + column * 4 + k]))
                             << (8 * k);
    return words;
}

std::string PatternQvl(int count) {
    std::string bytes;
    for (int n = 0; n < count; ++n) {
        std::vector<std::pair<int, int>> dots = {{0, 0}, {47, 0}, {0, 31}, {47, 31}};
        for (int i = 0; i < 32; ++i)
            dots.emplace_back((n * 3 + i) % 48, i);
        for (int column = 0; column < 48; ++column)
            dots.emplace_back(column, (n * 5) % 32);
        bytes += QvlScreen(dots);
    }
    return bytes;
}

CBackgroundRun::CBackgroundRun(const CCliFolder& dir, const std::vector<std::string>& argv)
    : m_dir(dir) {
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

bool CanUnshareNetwork(std::string& why) {
    CCliFolder dir;
    const SCliResult probe = RunProgram(dir, {"unshare", "-n", "true"}, 20);
    if (probe.exitCode == 0)
        return true;
    why =
        "cannot make a network namespace here (unshare -n: " +
        (probe.err.empty() ? std::string("not found") : probe.err.substr(0, probe.err.find('\n'))) +
        ")";
    return false;
}
