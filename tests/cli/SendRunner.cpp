#include "SendRunner.h"

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
