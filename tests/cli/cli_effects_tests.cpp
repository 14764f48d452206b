// glowmotion-cli play with the effects: the frames written to the bank file,
// the refusal above screen 800, and that a replay marks what it changes.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Plays `macro` over a bank holding `film` and returns the state and the
// written bank.
struct SPlayed {
    SCliResult result;
    std::string bank;
};
SPlayed Play(const CCliFolder& dir, const std::string& macro, const std::string& film) {
    SPlayed played;
    played.result = dir.Run({"play", dir.Write("m.mcr", macro), "--select1",
                             dir.Write("in.qvl", film), "--out1", dir.Path("out.qvl"), "--state"});
    played.bank = ReadBytes(dir.Path("out.qvl"));
    return played;
}

bool Has(const SCliResult& result, const std::string& text) {
    return result.out.find(text) != std::string::npos;
}

TEST(CliEffects, ScrollsOverwriteTheScreensAfterTheCurrentOne) {
    CCliFolder dir;
    // Up from screen 1, then left over the first 16 of those frames, then the
    // screens from 2 on reversed.
    const SPlayed played = Play(dir, "1,4,[2],3,", QvlScreen({{5, 31}}));
    EXPECT_EQ(0, played.result.exitCode);
    std::vector<std::string> screens{QvlScreen({{5, 31}})};
    for (int k = 1; k <= 32; ++k) {
        // Frames 1 to 16 are the left scroll's, 17 to 32 the up scroll's.
        const int column = k <= 16 ? 5 - k : 5;
        const int row = k <= 16 ? 31 : 31 - k;
        screens.push_back(column >= 0 && row >= 0 ? QvlScreen({{column, row}}) : QvlScreen());
    }
    std::reverse(screens.begin() + 1, screens.end());
    std::string expected;
    for (const std::string& screen : screens)
        expected += screen;
    EXPECT_EQ(expected, played.bank);
    EXPECT_TRUE(Has(played.result, "\"screenCount\":33,\"displayedScreenCount\":33,"));
    EXPECT_TRUE(Has(played.result, "\"modified\":true,\"messages\":[]}"));

    // From screen 769 a scroll down would pass screen 800.
    const std::string full = NumberedQvl(769);
    const SPlayed refused = Play(dir, "[769],2,", full);
    EXPECT_EQ(full, refused.bank);
    EXPECT_TRUE(Has(refused.result,
                    "\"modified\":false,\"messages\":[{\"caption\":\"エラー発生！\","
                    "\"text\":\"スクリーン枚数がオーバーしました。\"}]}"));
}

TEST(CliEffects, TopBottomOpenSplitsThePicture) {
    CCliFolder dir;
    // Option3 replays as step 42.
    const SPlayed played = Play(dir, "42,", QvlScreen({{7, 15}, {30, 16}}));
    std::string expected = QvlScreen({{7, 15}, {30, 16}});
    for (int k = 1; k <= 16; ++k)
        expected += k < 16 ? QvlScreen({{7, 15 - k}, {30, 16 + k}}) : QvlScreen();
    EXPECT_EQ(expected, played.bank);
    EXPECT_TRUE(Has(played.result, "\"screenCount\":17,"));
    EXPECT_TRUE(Has(played.result, "\"modified\":true,\"messages\""));
}

TEST(CliEffects, BitMovesDropWhatLeavesTheScreen) {
    CCliFolder dir;
    const std::string film = QvlScreen({{20, 5}, {0, 0}, {47, 31}});
    const SPlayed moved = Play(dir, "33,33,38,35,", film);
    EXPECT_EQ(QvlScreen({{5, 3}}), moved.bank);
    EXPECT_TRUE(Has(moved.result, "\"screenCount\":1,"));
    EXPECT_TRUE(Has(moved.result, "\"modified\":true,"));

    // Any move that changes the screen marks it, 16 columns or one dot.
    const SPlayed back = Play(dir, "33,34,37,38,", film);
    EXPECT_EQ(QvlScreen({{20, 5}, {47, 31}}), back.bank);
    EXPECT_TRUE(Has(back.result, "\"modified\":true,\"messages\""));
    // Moves that cancel out leave the screen, and the mark, as they were.
    const SPlayed there = Play(dir, "37,38,33,34,", QvlScreen({{20, 5}}));
    EXPECT_EQ(QvlScreen({{20, 5}}), there.bank);
    EXPECT_TRUE(Has(there.result, "\"modified\":false,\"messages\""));
}

} // namespace
