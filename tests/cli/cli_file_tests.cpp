// glowmotion-cli on files that are no regular files, and the escaping of what
// its error messages echo.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Seconds a refusal may take at most; a run that hangs is killed then.
constexpr int kAtOnce = 10;

TEST(CliFiles, FifosAndDevicesAreRefusedAtOnce) {
    CCliFolder dir;
    const std::string fifo = dir.Path("pipe.qvl");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    const std::string macro = dir.Write("m.mcr", "8,");
    // Nobody writes into the FIFO, so opening it to read would wait forever.
    const std::string readError = fifo + " の読み取り中に予期しないｴﾗｰが発生しました。\n";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"info", fifo}, {"show", fifo}, {"play", fifo}, {"play", macro, "--select2", fifo}}) {
        SCOPED_TRACE(args[0] + " " + std::to_string(args.size()));
        const SCliResult result = dir.Run(args, kAtOnce);
        EXPECT_EQ(1, result.exitCode);
        EXPECT_EQ(readError, result.err);
        EXPECT_EQ("", result.out);
    }
    const SCliResult device = dir.Run({"info", "/dev/null"}, kAtOnce);
    EXPECT_EQ(1, device.exitCode);
    EXPECT_EQ("/dev/null の読み取り中に予期しないｴﾗｰが発生しました。\n", device.err);

    // Nobody reads from it either: the write fails at once and the FIFO stays.
    const SCliResult written = dir.Run({"play", macro, "--out1", fifo}, kAtOnce);
    EXPECT_EQ(1, written.exitCode);
    EXPECT_EQ(fifo + " の書き込み中に予期しないｴﾗｰが発生しました。\n", written.err);
    struct stat info {};
    ASSERT_EQ(0, ::stat(fifo.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // A device is written into, and stays a device.
    if (const std::string null = NullDevice(dir); !null.empty()) {
        EXPECT_EQ(0, dir.Run({"play", macro, "--out1", null}, kAtOnce).exitCode);
        ASSERT_EQ(0, ::stat(null.c_str(), &info));
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
}

TEST(CliErrors, EchoedTextIsEscaped) {
    CCliFolder dir;
    // Line breaks, a terminal escape sequence, a backslash, DEL, Japanese, a
    // C1 control (CSI), a right-to-left override, a byte that is no UTF-8 and
    // an overlong '/'.
    const std::string raw = "a\nb\tc\rd\x1b[31m\\字\x7f\xc2\x9b\xe2\x80\xae\xff\xc0\xaf.qvl";
    const std::string shown = "a\\nb\\tc\\rd\\x1b[31m\\\\字\\x7f\\u009b\\u202e\\xff\\xc0\\xaf.qvl";

    const SCliResult missing = dir.Run({"info", dir.Path(raw)});
    EXPECT_EQ(1, missing.exitCode);
    EXPECT_EQ(dir.Path(shown) + " が見つかりません。\n", missing.err);

    // Output on success does not change; the name shows escaped in errors.
    const std::string file = dir.Write(raw, QvlScreen());
    const SCliResult info = dir.Run({"info", file});
    EXPECT_EQ(0, info.exitCode);
    EXPECT_EQ("screens: 1\n", info.out);
    const SCliResult noScreen = dir.Run({"show", file, "--screen", "5"});
    EXPECT_EQ(2, noScreen.exitCode);
    EXPECT_EQ("glowmotion-cli: " + dir.Path(shown) + " has no screen 5 (its screens are 1 to 1)\n",
              noScreen.err);
    const SCliResult notWritten =
        dir.Run({"play", dir.Write("m.mcr", ""), "--out1", dir.Path(raw + "/out.qvl")});
    EXPECT_EQ(1, notWritten.exitCode);
    EXPECT_EQ(dir.Path(shown + "/out.qvl") + " が見つかりません。\n", notWritten.err);

    // Usage errors quote the argument on one line.
    const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
        {{"show", file, "--screen", "1\n2"}, "--screen takes a screen number, not '1\\n2'"},
        {{"play", "m.mcr", "--x\x1b]0;t\x07"}, "unknown option '--x\\x1b]0;t\\x07'"},
        {{"日本\r"}, "unknown command '日本\\r'"},
        {{"info", "a.qvl", "b\\c"}, "unexpected argument 'b\\\\c'"},
        {{"play", "m.mcr", "--break", "\t"}, "--break takes an integer, not '\\t'"},
    };
    for (const auto& [args, message] : usage) {
        SCOPED_TRACE(message);
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode);
        EXPECT_EQ("glowmotion-cli: " + message + "; see glowmotion-cli --help\n", result.err);
    }
}

} // namespace
