// glowmotion-cli text: the screens it writes scroll the message by the step,
// the line sits where --size and --row put it, and what it refuses writes
// nothing.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using CScreen = std::vector<std::uint32_t>;

// The screens of a .qvl file.
std::vector<CScreen> Screens(const std::string& bytes) {
    std::vector<CScreen> screens;
    for (size_t n = 0; n < bytes.size() / 192; ++n)
        screens.push_back(ScreenWords(bytes, static_cast<int>(n)));
    return screens;
}

bool Blank(const CScreen& screen) {
    return screen == CScreen(48, 0);
}

TEST(CliText, EachScreenIsTheOneBeforeMovedLeftByTheStep) {
    CCliFolder dir;
    // 漢字 in Unifont-JP at 16 dots is 32 columns: 32 + 48 columns to pass.
    for (const auto& [step, count] : {std::pair{1, 80}, {2, 40}, {48, 2}, {7, 12}}) {
        const std::string out = dir.Path("kanji" + std::to_string(step) + ".qvl");
        const SCliResult result = dir.Run({"text", "漢字", out, "--step", std::to_string(step)});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out + result.err, "");
        const std::vector<CScreen> screens = Screens(ReadBytes(out));
        ASSERT_EQ(screens.size(), static_cast<size_t>(count)) << step;
        for (size_t k = 1; k < screens.size(); ++k)
            for (int c = 0; c + step < 48; ++c)
                ASSERT_EQ(screens[k][static_cast<size_t>(c)],
                          screens[k - 1][static_cast<size_t>(c + step)])
                    << "step " << step << ", screen " << k << ", column " << c;
        // The first screen shows no more than the first `step` columns, and
        // the last is blank.
        for (int c = 0; c < 48 - step; ++c)
            EXPECT_EQ(screens[0][static_cast<size_t>(c)], 0u) << step;
        EXPECT_TRUE(Blank(screens.back())) << step;
        // Centred: rows 8 to 23 only.
        for (const CScreen& screen : screens)
            for (const unsigned word : screen)
                ASSERT_EQ(word & 0xFF0000FFu, 0u) << step;
    }
}

TEST(CliText, SizeRowAndFontPlaceTheLine) {
    CCliFolder dir;
    struct SCase {
        std::vector<std::string> options;
        unsigned rows; // the rows the line may light
        size_t count;
    };
    const SCase cases[] = {
        // MisakiGothic at 8: 漢字 is 16 columns.
        {{"--size", "8"}, 0x000FF000u, 64},
        {{"--size", "8", "--row", "0"}, 0xFF000000u, 64},
        {{"--size", "8", "--row", "24"}, 0x000000FFu, 64},
        // Unifont-JP at 32 doubles every dot: 64 columns.
        {{"--size", "32", "--font", "Unifont-JP"}, 0xFFFFFFFFu, 112},
        // The family as fc-list prints it.
        {{"--font", "Unifont\\-JP", "--row", "16"}, 0x0000FFFFu, 80},
        {{"--font", "IPAGothic", "--size", "32", "--step", "16"}, 0xFFFFFFFFu, 7},
    };
    for (const SCase& c : cases) {
        std::vector<std::string> args{"text", "漢字", dir.Path("line.qvl")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const SCliResult result = dir.Run(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<CScreen> screens = Screens(ReadBytes(dir.Path("line.qvl")));
        EXPECT_EQ(screens.size(), c.count) << ::testing::PrintToString(c.options);
        unsigned lit = 0;
        for (const CScreen& screen : screens)
            for (const unsigned word : screen)
                lit |= word;
        EXPECT_NE(lit, 0u);
        EXPECT_EQ(lit & ~c.rows, 0u) << ::testing::PrintToString(c.options);
    }
}

TEST(CliText, RefusalsWriteNothing) {
    CCliFolder dir;
    const std::string kept = NumberedQvl(3);
    const std::string out = dir.Write("kept.qvl", kept);
    std::string kanji47;
    for (int i = 0; i < 47; ++i)
        kanji47 += "漢";
    struct SCase {
        std::vector<std::string> args;
        std::string err;
    };
    const SCase cases[] = {
        // 48 kanji are 768 columns: 816 screens at one dot a screen.
        {{"text", kanji47 + "字", out}, "スクリーン枚数がオーバーしました。\n"},
        {{"text", kanji47 + kanji47 + kanji47, out, "--step", "2"},
         "スクリーン枚数がオーバーしました。\n"},
        {{"text", "x", out, "--font", "No Such Family"},
         "フォント「No Such Family」が見つかりません。\n"},
    };
    for (const SCase& c : cases) {
        const SCliResult result = dir.Run(c.args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ReadBytes(out), kept);
    }
    const SCliResult missing = dir.Run({"text", kanji47 + "字", dir.Path("new.qvl")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("new.qvl")));

    // 47 kanji fill the 800 screens exactly.
    const SCliResult full = dir.Run({"text", kanji47, dir.Path("full.qvl")});
    ASSERT_EQ(full.exitCode, 0) << full.err;
    EXPECT_EQ(ReadBytes(dir.Path("full.qvl")).size(), 800u * 192);
}

TEST(CliText, UsageErrors) {
    CCliFolder dir;
    const std::string out = dir.Path("out.qvl");
    const auto usage = [&](const std::vector<std::string>& args, const std::string& message) {
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode) << message;
        EXPECT_NE(std::string::npos, result.err.find(message)) << result.err;
        EXPECT_EQ("", result.out);
        EXPECT_FALSE(std::filesystem::exists(out)) << message;
    };
    usage({"text"}, "missing the message");
    usage({"text", "abc"}, "missing the animation file to write");
    usage({"text", "", out}, "the message is empty");
    usage({"text", "abc", out, "x"}, "unexpected argument 'x'");
    usage({"text", "abc", out, "--size", "12"}, "--size takes 8, 16 or 32, not '12'");
    usage({"text", "abc", out, "--size", "sixteen"}, "--size takes 8, 16 or 32");
    usage({"text", "abc", out, "--step", "0"}, "--step takes an integer from 1 to 48");
    usage({"text", "abc", out, "--step", "49"}, "--step takes an integer from 1 to 48");
    usage({"text", "abc", out, "--row", "17"}, "--row takes an integer from 0 to 16");
    usage({"text", "abc", out, "--row", "25", "--size", "8"},
          "--row takes an integer from 0 to 24");
    usage({"text", "abc", out, "--row", "-1"}, "--row takes an integer from 0 to 16");
    usage({"text", "abc", out, "--font", ""}, "--font takes a font family");
    usage({"text", "abc", out, "--step", "2", "--step", "3"}, "given more than once");
    usage({"text", "abc", out, "--invert"}, "unknown option '--invert'");
    // A message that starts like an option follows "--".
    const SCliResult dashes = dir.Run({"text", "--", "--size", out});
    EXPECT_EQ(dashes.exitCode, 0) << dashes.err;
}

} // namespace
