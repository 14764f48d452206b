// glowmotion-cli send: usage errors, failures, every target delivering
// every frame in order to a receiver on loopback (TPM2 over a pseudo
// terminal), repeats and the end on SIGINT/SIGTERM.

#include "SendRunner.h"
#include "signs/SignReceivers.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <thread>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

size_t LineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string Loopback(const std::string& scheme, int port, const std::string& path = "") {
    return scheme + "127.0.0.1:" + std::to_string(port) + path;
}

TEST(CliSend, UsageErrorsAreOneLineAndExitTwo) {
    CCliFolder dir;
    const std::string file = dir.Write("anim.qvl", PatternQvl(3));
    struct SCase {
        std::vector<std::string> args;
        const char* says;
    };
    const SCase cases[] = {
        {{"send"}, "missing the animation file"},
        {{"send", file}, "missing the target"},
        {{"send", file, "udp://h"}, "bad target 'udp://h'"},
        {{"send", file, "e131://h"}, "E1.31 universe"},
        {{"send", file, "e131://h/0"}, "from 1 to 63999"},
        {{"send", file, "artnet://h/32768"}, "from 0 to 32767"},
        {{"send", file, "ddp://h:70000"}, "port"},
        {{"send", file, "ddp://fe80::1"}, "brackets"},
        {{"send", file, "tpm2:/dev/ttyUSB0?baud=1234"}, "baud"},
        {{"send", file, "tpm2:\x1b[2J"}, "\\x1b"},
        {{"send", file, "ddp://h", "--delay", "9"}, "--delay takes an integer from 10 to 10000"},
        {{"send", file, "ddp://h", "--delay", "10001"}, "--delay"},
        {{"send", file, "ddp://h", "--repeat", "0"}, "--repeat"},
        {{"send", file, "ddp://h", "--repeat", "2", "--forever"}, "exclude each other"},
        {{"send", file, "ddp://h", "--forever", "--forever"}, "more than once"},
        {{"send", file, "ddp://h", "--color", "12345"}, "RRGGBB"},
        {{"send", file, "ddp://h", "--off", "GG0000"}, "RRGGBB"},
        {{"send", file, "ddp://h", "--origin", "top"}, "tl, tr, bl or br"},
        {{"send", file, "ddp://h", "--scan", "diagonal"}, "rows or columns"},
        {{"send", file, "ddp://h", "--panel", "0x32"}, "--panel"},
        {{"send", file, "ddp://h", "--panel", "2048x1"}, "--panel"},
        {{"send", file, "ddp://h", "--offset", "3"}, "--offset"},
        {{"send", file, "ddp://h", "--offset", "0,-2000"}, "--offset"},
        {{"send", file, "ft://h", "--panel", "64x32"}, "does not apply to ft://"},
        {{"send", file, "ft://h", "--serpentine"}, "does not apply to ft://"},
        {{"send", file, "ft://h", "--offset", "-1,0"}, "zero or more"},
        {{"send", file, "e131://h/63998"}, "past the last one"},
        {{"send", file, "artnet://h/32760", "--color", "FF0000"}, "past the last one"},
        {{"send", file, "tpm2:/dev/ttyACM0", "--panel", "1024x64"}, "at most 21845 dots"},
        {{"send", file, "tpm2net://h", "--panel", "1024x1024"}, "at most 122400 dots"},
        {{"send", file, "ddp://h", "--bogus"}, "unknown option '--bogus'"},
        {{"send", file, "ddp://h", "extra"}, "unexpected argument 'extra'"},
        // Screens are checked against the file: before anything is sent.
        {{"send", file, "ddp://h", "--from", "0"}, "has no screen 0"},
        {{"send", file, "ddp://h", "--to", "4"}, "has no screen 4"},
        {{"send", file, "ddp://h", "--from", "3", "--to", "2"}, "comes after"},
    };
    for (const SCase& c : cases) {
        const SCliResult result = dir.Run(c.args);
        std::string joined;
        for (const std::string& arg : c.args)
            joined += arg + " ";
        EXPECT_EQ(2, result.exitCode) << joined << result.err;
        const std::string line = FirstLine(result.err);
        EXPECT_EQ(0u, line.rfind("glowmotion-cli: ", 0)) << joined << line;
        EXPECT_NE(std::string::npos, line.find(c.says)) << joined << "\n" << line;
        EXPECT_EQ("", result.out) << joined;
    }
}

TEST(CliSend, FailuresAreOneLineAndExitOne) {
    CCliFolder dir;
    const std::string file = dir.Write("anim.qvl", PatternQvl(2));
    const std::string plain = dir.Write("plain.txt", "not a tty");
    struct SCase {
        std::vector<std::string> args;
        const char* says;
    };
    const SCase cases[] = {
        {{"send", dir.Path("missing.qvl"), "ddp://127.0.0.1"}, ""},
        {{"send", file, "tpm2:/nonexistent/ttyACM0"}, "cannot open '/nonexistent/ttyACM0'"},
        {{"send", file, "tpm2:/dev/null"}, "'/dev/null' is no serial line"},
        {{"send", file, "tpm2:" + plain}, "is no serial line"},
        {{"send", file, "tpm2:" + dir.Dir().string()}, "cannot open"},
    };
    for (const SCase& c : cases) {
        const SCliResult result = dir.Run(c.args);
        EXPECT_EQ(1, result.exitCode) << c.args[2] << result.err;
        EXPECT_EQ(1u, LineCount(result.err)) << c.args[2] << result.err;
        EXPECT_NE(std::string::npos, result.err.find(c.says)) << result.err;
    }

    // No route and no resolver: inside a network namespace of its own, with
    // not even loopback up, nothing can leave this machine.
    std::string why;
    if (!CanUnshareNetwork(why)) {
        std::cout << "[ SKIPPED ] the unreachable cases: " << why << '\n';
        return;
    }
    const SCase isolated[] = {
        {{"send", file, "ddp://127.0.0.1"}, "cannot reach '127.0.0.1'"},
        {{"send", file, "e131://10.99.0.9/1"}, "cannot reach '10.99.0.9'"},
        {{"send", file, "artnet://[::1]/0"}, "cannot reach '::1'"},
        {{"send", file, "ft://sign.invalid"}, "cannot resolve 'sign.invalid'"},
    };
    for (const SCase& c : isolated) {
        std::vector<std::string> argv{"unshare", "-n", CliPath()};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const SCliResult result = RunProgram(dir, argv, 60);
        EXPECT_EQ(1, result.exitCode) << c.args[2] << result.err;
        EXPECT_EQ(1u, LineCount(result.err)) << c.args[2] << result.err;
        EXPECT_NE(std::string::npos, result.err.find(c.says)) << result.err;
    }
}

// The dots of a 64 x 32 panel wired from the bottom-right corner along
// rows, serpentine, with the screen at (8, 0): the bytes of its RGB frame.
TBytes PanelFrame(const std::vector<std::uint32_t>& screen) {
    TBytes out;
    for (int index = 0; index < 64 * 32; ++index) {
        const int line = index / 64;
        const int along = line % 2 == 0 ? index % 64 : 63 - index % 64;
        const int column = 63 - along;
        const int row = 31 - line;
        const int sx = column - 8;
        const bool lit =
            sx >= 0 && sx < 48 && (screen[static_cast<size_t>(sx)] & (0x80000000u >> row)) != 0;
        const TBytes colour = lit ? TBytes{0x00, 0xff, 0x40} : TBytes{0x01, 0x01, 0x01};
        out.insert(out.end(), colour.begin(), colour.end());
    }
    return out;
}

TEST(CliSend, EveryTargetGetsEveryFrameInOrder) {
    CCliFolder dir;
    const std::string qvl = PatternQvl(8);
    const std::string file = dir.Write("anim.qvl", qvl);
    using FExpect = std::function<TBytes(const std::vector<std::uint32_t>&)>;
    const FExpect single = [](const auto& s) { return RowOrderFrame(s, true); };
    const FExpect white = [](const auto& s) { return RowOrderFrame(s, false); };
    const FExpect red = [](const auto& s) {
        return RowOrderFrame(s, false, {0xff, 0, 0}, {0, 0, 0x10});
    };
    struct SCase {
        const char* scheme;
        const char* path;
        std::vector<std::string> options;
        int universes; // E1.31 / Art-Net
        FExpect expected;
    };
    const SCase cases[] = {
        {"e131://", "/1", {}, 3, single},
        {"e131://", "/100", {"--color", "FF0000", "--off", "000010"}, 10, red},
        {"artnet://", "/0", {}, 3, single},
        {"artnet://", "/17", {"--color", "FF0000", "--off", "000010"}, 10, red},
        {"ddp://", "", {}, 0, white},
        {"ddp://",
         "",
         {"--panel", "64x32", "--offset", "8,0", "--origin", "br", "--serpentine", "--color",
          "00FF40", "--off", "010101"},
         0,
         PanelFrame},
        {"tpm2net://", "", {"--color", "FF0000", "--off", "000010"}, 0, red},
        {"ft://", "", {"--offset", "3,2"}, 0, white},
    };
    for (const SCase& c : cases) {
        CUdpReceiver receiver;
        const std::string target = Loopback(c.scheme, receiver.Port(), c.path);
        std::vector<std::string> args{"send",   file, target, "--delay", "10",
                                      "--from", "2",  "--to", "7"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const SCliResult result = dir.Run(args);
        ASSERT_EQ(0, result.exitCode) << target << result.err;
        EXPECT_EQ("", result.out + result.err);
        const auto datagrams = receiver.WaitQuiet(100ms, 5s);
        std::string why;
        std::optional<std::vector<TBytes>> frames;
        const std::string scheme = c.scheme;
        const int first = c.path[0] != 0 ? std::stoi(c.path + 1) : 0;
        int x = 0;
        int y = 0;
        if (scheme == "e131://")
            frames = E131Frames(datagrams, first, c.universes, why);
        else if (scheme == "artnet://")
            frames = ArtNetFrames(datagrams, first, c.universes, why);
        else if (scheme == "ddp://")
            frames = DdpFrames(datagrams, why);
        else if (scheme == "tpm2net://")
            frames = Tpm2NetFrames(datagrams, why);
        else
            frames = FtFrames(datagrams, x, y, why);
        ASSERT_TRUE(frames) << target << ": " << why;
        ASSERT_EQ(6u, frames->size()) << target;
        for (int n = 0; n < 6; ++n)
            EXPECT_EQ(c.expected(ScreenWords(qvl, n + 1)), (*frames)[static_cast<size_t>(n)])
                << target << " screen " << n + 2;
        if (scheme == "ft://") {
            EXPECT_EQ(3, x);
            EXPECT_EQ(2, y);
        }
    }
}

TEST(CliSend, Tpm2OverAPseudoTerminal) {
    int master = -1;
    int slave = -1;
    char name[128] = {};
    ASSERT_EQ(0, ::openpty(&master, &slave, name, nullptr, nullptr));
    CCliFolder dir;
    const std::string qvl = PatternQvl(5);
    const std::string file = dir.Write("anim.qvl", qvl);
    CBackgroundRun run(dir, {CliPath(), "send", file, std::string("tpm2:") + name + "?baud=500000",
                             "--delay", "10", "--color", "2040FF"});
    ASSERT_TRUE(run.Started());
    TBytes bytes;
    std::uint8_t buffer[4096];
    const size_t whole = 5 * (48 * 32 * 3 + 5);
    while (bytes.size() < whole) {
        pollfd waiting{master, POLLIN, 0};
        if (::poll(&waiting, 1, 5000) <= 0)
            break;
        const ssize_t got = ::read(master, buffer, sizeof buffer);
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    const SCliResult result = run.Wait();
    ::close(master);
    ::close(slave);
    EXPECT_EQ(0, result.exitCode) << result.err;
    std::string why;
    TBytes rest;
    const std::vector<TBytes> frames = DecodeTpm2Stream(bytes, &rest, why);
    EXPECT_TRUE(why.empty()) << why;
    EXPECT_TRUE(rest.empty());
    ASSERT_EQ(5u, frames.size());
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(RowOrderFrame(ScreenWords(qvl, n), false, {0x20, 0x40, 0xff}),
                  frames[static_cast<size_t>(n)])
            << n;
}

TEST(CliSend, RepeatsAndEndsDarkOnSignals) {
    CCliFolder dir;
    const std::string qvl = PatternQvl(4);
    const std::string file = dir.Write("anim.qvl", qvl);
    {
        CUdpReceiver receiver;
        const SCliResult result =
            dir.Run({"send", file, Loopback("ddp://", receiver.Port()), "--from", "2", "--to", "3",
                     "--repeat", "3", "--delay", "10"});
        ASSERT_EQ(0, result.exitCode) << result.err;
        std::string why;
        const auto frames = DdpFrames(receiver.WaitQuiet(100ms, 5s), why);
        ASSERT_TRUE(frames) << why;
        ASSERT_EQ(6u, frames->size());
        for (size_t n = 0; n < 6; ++n)
            EXPECT_EQ(RowOrderFrame(ScreenWords(qvl, 1 + static_cast<int>(n % 2)), false),
                      (*frames)[n])
                << n;
    }
    struct SCase {
        int signal;
        std::vector<std::string> how;
        int exitCode;
    };
    for (const SCase& c : {SCase{SIGINT, {"--forever"}, 0}, SCase{SIGTERM, {"--forever"}, 0},
                           SCase{SIGTERM, {"--repeat", "1000"}, 1}}) {
        CUdpReceiver receiver;
        std::vector<std::string> argv{
            CliPath(), "send", file, Loopback("e131://", receiver.Port(), "/1"), "--delay", "20"};
        argv.insert(argv.end(), c.how.begin(), c.how.end());
        CBackgroundRun run(dir, argv);
        ASSERT_TRUE(run.Started());
        // Five frames of three universes, then the signal.
        receiver.WaitFor(15, 10s);
        run.Signal(c.signal);
        const SCliResult result = run.Wait(20);
        EXPECT_EQ(c.exitCode, result.exitCode) << result.err;
        EXPECT_EQ(c.exitCode == 0 ? 0u : 1u, LineCount(result.err)) << result.err;
        std::string why;
        const auto frames = E131Frames(receiver.WaitQuiet(100ms, 5s), 1, 3, why);
        ASSERT_TRUE(frames) << why;
        ASSERT_GE(frames->size(), 6u);
        // Screens in order from the first, then every dot off.
        for (size_t n = 0; n + 1 < frames->size(); ++n)
            EXPECT_EQ(RowOrderFrame(ScreenWords(qvl, static_cast<int>(n % 4)), true), (*frames)[n])
                << n;
        EXPECT_EQ(TBytes(1536, 0), frames->back());
    }
}

} // namespace
