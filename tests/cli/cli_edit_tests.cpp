// glowmotion-cli play over the screen editing steps: the clips, spaces,
// AND / OR and bitmap import, checked through the banks it writes.

#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

// Screens `first` .. `first + count - 1` (1-based) of a .qvl image.
std::string Screens(const std::string& qvl, int first, int count = 1) {
    return qvl.substr(static_cast<size_t>(first - 1) * 192, static_cast<size_t>(count) * 192);
}

std::string Blank(int screens = 1) {
    return std::string(static_cast<size_t>(screens) * 192, '\0');
}

std::string Bytewise(const std::string& a, const std::string& b, bool isOr) {
    std::string out = a;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(isOr ? a[i] | b[i] : a[i] & b[i]);
    return out;
}

TEST(CliEdit, ClipSteps) {
    CCliFolder dir;
    const std::string film = NumberedQvl(6);
    // Copy screens 2..6, paste them at screen 8 of select2, reverse screen 8.
    const SCliResult result =
        dir.Run({"play", dir.Write("m.mcr", "[2],14,10,[8],18,19,"), "--select1",
                 dir.Write("film.qvl", film), "--out2", dir.Path("out2.qvl"), "--state"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    std::string inverted = Screens(film, 2);
    for (char& byte : inverted)
        byte = static_cast<char>(~byte);
    EXPECT_EQ(Blank(7) + inverted + Screens(film, 3, 4), ReadBytes(dir.Path("out2.qvl")));
    EXPECT_NE(std::string::npos, result.out.find("\"rangeClipCount\":5,"));
    // select2, on display at the end, was pasted into; select1 was only read.
    EXPECT_NE(
        std::string::npos,
        result.out.find("\"currentScreen\":2,\"modified\":false},{\"screenCount\":12,"
                        "\"displayedScreenCount\":12,\"currentScreen\":8,\"modified\":true}"));
    EXPECT_NE(std::string::npos, result.out.find("\"modified\":true,\"messages\":[]"));
}

TEST(CliEdit, SpaceSteps) {
    CCliFolder dir;
    const std::string film = NumberedQvl(5);
    const SCliResult result =
        dir.Run({"play", dir.Write("m.mcr", "[2],21,22,[4],23,"), "--select1",
                 dir.Write("film.qvl", film), "--out1", dir.Path("out1.qvl"), "--state"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ(Screens(film, 1) + Blank() + Screens(film, 2) + Screens(film, 4, 2) + Blank(),
              ReadBytes(dir.Path("out1.qvl")));
    EXPECT_NE(std::string::npos, result.out.find("{\"screenCount\":6,\"displayedScreenCount\":6,"
                                                 "\"currentScreen\":4,\"modified\":true}"));
}

TEST(CliEdit, AndOrSteps) {
    CCliFolder dir;
    const std::string first = NumberedQvl(3);
    const std::string second = Screens(NumberedQvl(4), 2, 3);
    // OR of select1's run into select3 from screen 1, then AND of the first
    // screens into select3 screen 5.
    const SCliResult result = dir.Run({"play", dir.Write("m.mcr", "28,11,[5],25,"), "--select1",
                                       dir.Write("a.qvl", first), "--select2",
                                       dir.Write("b.qvl", second), "--out3", dir.Path("out3.qvl")});
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ(Bytewise(first, second, true) + Blank() +
                  Bytewise(Screens(first, 1), Screens(second, 1), false) + Blank(5),
              ReadBytes(dir.Path("out3.qvl")));
}

TEST(CliEdit, BitmapImportSteps) {
    CCliFolder dir;
    // One black pixel at column 3 of screen row 1, which is file row 30.
    std::string bitmap("BM\x3E\x01\0\0\0\0\0\0\x3E\0\0\0\x28\0\0\0\x30\0\0\0\x20\0\0\0\x01\0\x01\0",
                       30);
    bitmap +=
        std::string(16, '\0') + std::string("\x02\0\0\0\x02\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF", 16);
    // Appended piece by piece: GCC 12 at -O3 sees an overlap in a literal
    // plus strings that is not there (-Wrestrict).
    for (int row = 0; row < 32; ++row) {
        bitmap += row == 30 ? '\xEF' : '\xFF';
        bitmap.append(5, '\xFF');
        bitmap.append(2, '\0');
    }
    // The second import is refused, the third finds no answer: cancelled.
    const SCliResult result = dir.Run({"play", dir.Write("m.mcr", "32,[2],32,[3],32,"), "--bitmap",
                                       dir.Write("dot.bmp", bitmap), "--bitmap",
                                       dir.Write("short.bmp", bitmap.substr(0, 300)), "--out1",
                                       dir.Path("out1.qvl"), "--state"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ(QvlScreen({{3, 1}}) + Blank(9), ReadBytes(dir.Path("out1.qvl")));
    EXPECT_NE(std::string::npos,
              result.out.find("\"modified\":true,\"messages\":[{\"caption\":\"エラー発生！\","
                              "\"text\":\"サイズが合いません。\"}]}"));
}

} // namespace
