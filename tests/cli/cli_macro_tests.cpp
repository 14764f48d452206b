// glowmotion-cli macro list / optimize / export: what they print and write,
// and the refusals.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(CliMacro, ListOptimizeAndExport) {
    CCliFolder dir;
    const SCliResult listed = dir.Run({"macro", "list", dir.Write("m.mcr", "1,[7],99,14,13")});
    EXPECT_EQ(0, listed.exitCode);
    EXPECT_EQ("上へスクロール\n7\nコピー　＋ＳＨＩＦＴ\n", listed.out);
    EXPECT_EQ("", listed.err);

    const std::string in = dir.Write("in.mcr", "10,[3],[4],[12],16,[6],\r\n");
    EXPECT_EQ("セレクト２\n3\n4\n12\nカット　＋ＳＨＩＦＴ\n6\n",
              dir.Run({"macro", "list", in}).out);
    EXPECT_EQ(0, dir.Run({"macro", "optimize", in, dir.Path("out.mcr")}).exitCode);
    // The line break after the last comma is no token: it goes.
    EXPECT_EQ("10,[12],16,[6],", ReadBytes(dir.Path("out.mcr")));

    EXPECT_EQ(0, dir.Run({"macro", "export", dir.Path("out.mcr"), dir.Path("s.txt")}).exitCode);
    // "セレクト２", 12, "カット　＋ＳＨＩＦＴ", 6 in code page 932.
    EXPECT_EQ("\x83\x5A\x83\x8C\x83\x4E\x83\x67\x82\x51\r\n12\r\n"
              "\x83\x4A\x83\x62\x83\x67\x81\x40\x81\x7B\x82\x72\x82\x67\x82\x68\x82\x65\x82\x73\r\n"
              "6\r\n",
              ReadBytes(dir.Path("s.txt")));
}

TEST(CliMacro, TokensAreCodePage932) {
    // A go-to-screen token written by a Japanese editor: ５ (82 54) and 髙
    // (FB FC) in Shift-JIS, and a byte that is no character (A0).
    CCliFolder dir;
    const std::string in = dir.Write("sjis.mcr", "8,[\x82\x54],[\xFB\xFC],[\xA0],");
    const SCliResult listed = dir.Run({"macro", "list", in});
    EXPECT_EQ(0, listed.exitCode);
    EXPECT_EQ("最初\n５\n髙\n\xEF\xBF\xBD\n", listed.out);

    // The export writes the characters back as they were; what code page
    // 932 cannot hold becomes "?".
    EXPECT_EQ(0, dir.Run({"macro", "export", in, dir.Path("s.txt")}).exitCode);
    EXPECT_EQ("\x8D\xC5\x8F\x89\r\n\x82\x54\r\n\xFB\xFC\r\n?\r\n", ReadBytes(dir.Path("s.txt")));

    // The state reads the macro the same way.
    const SCliResult played = dir.Run({"play", in, "--state"});
    EXPECT_NE(
        std::string::npos,
        played.out.find("\"macro\":\"8,[５],[髙],[\xEF\xBF\xBD],\",\"macroLines\":[\"最初\",\"５\","
                        "\"髙\",\"\xEF\xBF\xBD\"]"))
        << played.out;
}

TEST(CliMacro, RefusalsAndUsageErrors) {
    CCliFolder dir;
    const std::string big = dir.Write("big.mcr", std::string(8193, '8'));
    const SCliResult refused = dir.Run({"macro", "optimize", big, dir.Path("never.mcr")});
    EXPECT_EQ(1, refused.exitCode);
    EXPECT_EQ("マクロファイルが 8192 バイトを超えています。\n", refused.err);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("never.mcr")));

    const SCliResult missing = dir.Run({"macro", "list", dir.Path("none.mcr")});
    EXPECT_EQ(1, missing.exitCode);
    EXPECT_EQ(dir.Path("none.mcr") + " が見つかりません。\n", missing.err);

    const std::string in = dir.Write("in.mcr", "8,");
    const std::string nowhere = dir.Path("no-folder/out.txt");
    const SCliResult unwritable = dir.Run({"macro", "export", in, nowhere});
    EXPECT_EQ(1, unwritable.exitCode);
    EXPECT_EQ(nowhere + " が見つかりません。\n", unwritable.err);

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"macro"},
                                               {"macro", "show", in},
                                               {"macro", "list"},
                                               {"macro", "list", in, "extra"},
                                               {"macro", "optimize", in},
                                               {"macro", "export", in, "a.txt", "b.txt"},
                                               {"macro", "list", in, "--state"}}) {
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode) << args.size();
        EXPECT_TRUE(IsUsageLine(result.err)) << result.err;
    }
}

} // namespace
