// glowmotion-cli show and info: rendering, byte order, the length checks of
// .qvl files, screen selection and usage errors.

#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

const std::string kNotQvl = "qvlファイルではありません。\n";

// The 32 lines `show` prints for a screen with the given dots lit.
std::string Picture(const std::vector<std::pair<int, int>>& litDots) {
    std::vector<std::string> rows(32, std::string(48, '.'));
    for (const auto& [column, row] : litDots)
        rows[row][column] = '#';
    std::string text;
    for (const std::string& row : rows)
        text += row + "\n";
    return text;
}

TEST(CliShow, DrawsColumnWordsLittleEndianTopBitFirst) {
    CCliFolder dir;
    // Column 0 row 0 is bit 31 of the first word: bytes 00 00 00 80.
    std::string screen(192, '\0');
    screen[3] = '\x80';
    // Column 5 row 9: 0x80000000 >> 9 = 0x00400000, bytes 00 00 40 00.
    screen[5 * 4 + 2] = '\x40';
    // Column 47 row 31: bit 0 of the last word, bytes 01 00 00 00.
    screen[47 * 4] = '\x01';
    const std::string file = dir.Write("dots.qvl", screen);
    ASSERT_EQ(QvlScreen({{0, 0}, {5, 9}, {47, 31}}), screen);

    const SCliResult shown = dir.Run({"show", file});
    EXPECT_EQ(0, shown.exitCode);
    EXPECT_EQ(Picture({{0, 0}, {5, 9}, {47, 31}}), shown.out);
    EXPECT_EQ("", shown.err);
    EXPECT_EQ('#', shown.out.front());

    const SCliResult info = dir.Run({"info", file});
    EXPECT_EQ(0, info.exitCode);
    EXPECT_EQ("screens: 1\n", info.out);
}

TEST(CliShow, LengthChecks) {
    CCliFolder dir;
    const auto info = [&dir](const std::string& name, size_t length) {
        return dir.Run({"info", dir.Write(name, std::string(length, '\0'))});
    };

    const SCliResult empty = info("empty.qvl", 0);
    EXPECT_EQ(0, empty.exitCode);
    EXPECT_EQ("screens: 0\n", empty.out);
    const SCliResult emptyShow = dir.Run({"show", dir.Path("empty.qvl"), "--screen", "1"});
    EXPECT_EQ(2, emptyShow.exitCode);
    EXPECT_EQ("", emptyShow.out);
    EXPECT_NE(std::string::npos, emptyShow.err.find("no screen"));

    EXPECT_EQ("screens: 1\n", info("one.qvl", 192).out);
    EXPECT_EQ("screens: 800\n", info("full.qvl", 153600).out);
    // The last screen of a full file is reachable.
    EXPECT_EQ(0, dir.Run({"show", dir.Path("full.qvl"), "--screen", "800"}).exitCode);

    for (const auto& [name, length] : {std::pair<const char*, size_t>{"odd.qvl", 200},
                                       {"over.qvl", 153792},
                                       {"huge.qvl", 1000000}}) {
        SCOPED_TRACE(name);
        for (const char* command : {"info", "show"}) {
            const SCliResult refused =
                dir.Run({command, dir.Write(name, std::string(length, 'x'))});
            EXPECT_EQ(1, refused.exitCode);
            EXPECT_EQ(kNotQvl, refused.err);
            EXPECT_EQ("", refused.out);
        }
    }
}

TEST(CliShow, ScreenSelection) {
    CCliFolder dir;
    const std::string file = dir.Write("three.qvl", NumberedQvl(3));
    EXPECT_EQ(Picture({{0, 1}, {1, 0}}), dir.Run({"show", file}).out);
    EXPECT_EQ(Picture({{0, 2}, {1, 0}}), dir.Run({"show", "--screen", "2", file}).out);
    EXPECT_EQ(Picture({{0, 3}, {1, 0}}), dir.Run({"show", file, "--screen", "+3"}).out);

    for (const char* screen : {"0", "4", "-1", "99999999999999999999"}) {
        SCOPED_TRACE(screen);
        const SCliResult outside = dir.Run({"show", file, "--screen", screen});
        EXPECT_EQ(2, outside.exitCode);
        EXPECT_EQ("", outside.out);
        EXPECT_NE(std::string::npos, outside.err.find(std::string("no screen ") + screen));
        EXPECT_NE(std::string::npos, outside.err.find("1 to 3"));
    }
}

TEST(CliShow, UnreadableFilesAreNamed) {
    CCliFolder dir;
    const std::string missing = dir.Path("missing.qvl");
    const SCliResult notFound = dir.Run({"show", missing});
    EXPECT_EQ(1, notFound.exitCode);
    EXPECT_EQ(missing + " が見つかりません。\n", notFound.err);

    // A folder opens but cannot be read.
    const std::string folder = dir.Path("");
    const SCliResult unreadable = dir.Run({"info", folder});
    EXPECT_EQ(1, unreadable.exitCode);
    EXPECT_EQ(folder + " の読み取り中に予期しないｴﾗｰが発生しました。\n", unreadable.err);
}

TEST(CliUsage, ErrorsGoToStderrWithStatus2) {
    CCliFolder dir;
    const std::string file = dir.Write("one.qvl", QvlScreen());
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"draw", file},
        {"show"},
        {"show", file, "extra.qvl"},
        {"show", file, "--screen"},
        {"show", file, "--screen", "two"},
        {"show", file, "--screen", "1x"},
        {"show", file, "--screen", ""},
        {"show", file, "--screen", "1", "--screen", "1"},
        {"show", file, "--scren", "1"},
        {"info", file, "--screen", "1"},
        {"info"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0] + " " + std::to_string(args.size()));
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode);
        EXPECT_EQ("", result.out);
        EXPECT_TRUE(IsUsageLine(result.err)) << result.err;
    }

    const SCliResult help = dir.Run({"--help"});
    EXPECT_EQ(0, help.exitCode);
    EXPECT_EQ(0u, help.out.find("Usage:"));
    EXPECT_EQ("", help.err);

    // After "--" a name that looks like an option is a file.
    const SCliResult dashed = dir.Run({"info", "--", "--screen"});
    EXPECT_EQ(1, dashed.exitCode);
    EXPECT_EQ("--screen が見つかりません。\n", dashed.err);
}

} // namespace
