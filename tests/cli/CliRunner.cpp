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
    // Output goes to files rather than pipes: no risk of a full pipe
    // blocking the child while the parent waits.
    const std::string outPath = Path(".stdout");
    const std::string errPath = Path(".stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> argStore{GLOWMOTION_CLI_PATH};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStore)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    SCliResult result;
    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, GLOWMOTION_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    // A tool that hangs fails the test instead of stopping the whole run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return result;
        if (std::chrono::steady_clock::now() > deadline)
            ::kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // A crash shows as a negative code, never as one of the tool's own.
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.out = ReadBytes(outPath);
    result.err = ReadBytes(errPath);
    return result;
}

std::string QvlScreen(const std::vector<std::pair<int, int>>& litDots) {
    std::string bytes(192, '\0');
    for (const auto& [column, row] : litDots) {
        const unsigned bit = 31 - row;
        bytes[column * 4 + bit / 8] = static_cast<char>(bytes[column * 4 + bit / 8] | 1 << bit % 8);
    }
    return bytes;
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
