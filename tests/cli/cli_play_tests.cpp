// glowmotion-cli play: replay over opened banks, the break step, the state
// JSON, the written banks, and the refusals.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace {

// The "banks" entry of the state for three banks given as
// {screenCount, displayedScreenCount, currentScreen}, and whether each is
// marked changed.
std::string Banks(const std::vector<std::array<int, 3>>& banks,
                  const std::array<bool, 3>& modified = {}) {
    std::string json = "\"banks\":[";
    for (size_t i = 0; i < banks.size(); ++i) {
        json += i > 0 ? "," : "";
        json += "{\"screenCount\":" + std::to_string(banks[i][0]) +
                ",\"displayedScreenCount\":" + std::to_string(banks[i][1]) +
                ",\"currentScreen\":" + std::to_string(banks[i][2]) +
                ",\"modified\":" + (i < modified.size() && modified[i] ? "true" : "false") + "}";
    }
    return json + "]";
}

// Whether python3 takes `json` as one strictly UTF-8 encoded JSON document;
// nullopt when python3 cannot be run here.
std::optional<bool> PythonAcceptsJson(const CCliFolder& dir, const std::string& json) {
    if (std::system("python3 -c pass >/dev/null 2>&1") != 0)
        return std::nullopt;
    const std::string file = dir.Write("state.json", json);
    const std::string command =
        "python3 -c 'import json,sys; json.loads(sys.stdin.buffer.read().decode(\"utf-8\"))' < " +
        file + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

TEST(CliPlay, FreshEditorState) {
    CCliFolder dir;
    const SCliResult result = dir.Run({"play", dir.Write("empty.mcr", ""), "--state"});
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("{\"currentBank\":0,\"currentScreen\":1,\"previewOffset\":0," +
                  Banks({{10, 10, 1}, {10, 10, 1}, {10, 10, 1}}) +
                  ",\"rangeClipCount\":0,\"macro\":\"\",\"macroLines\":[],\"stepCount\":0,"
                  "\"modified\":false,\"messages\":[]}\n",
              result.out);
    EXPECT_EQ("", result.err);
    // Without --state nothing is printed.
    EXPECT_EQ("", dir.Run({"play", dir.Path("empty.mcr")}).out);
}

TEST(CliPlay, GoToScreenAndBreak) {
    CCliFolder dir;
    const std::string macro = dir.Write("m.mcr", "8,[5],7,");
    const std::string film = dir.Write("film.qvl", NumberedQvl(12));
    const auto play = [&](std::vector<std::string> extra) {
        std::vector<std::string> args{"play", macro, "--select1", film, "--state"};
        args.insert(args.end(), extra.begin(), extra.end());
        return dir.Run(args);
    };
    const auto state = [](int screen) {
        return "{\"currentBank\":0,\"currentScreen\":" + std::to_string(screen) +
               ",\"previewOffset\":0," + Banks({{12, 12, screen}, {10, 10, 1}, {10, 10, 1}}) +
               ",\"rangeClipCount\":0,\"macro\":\"8,[5],7,\",\"macroLines\":[\"最初\",\"5\","
               "\"最終\"],\"stepCount\":3,\"modified\":false,\"messages\":[]}\n";
    };

    const SCliResult whole = play({});
    EXPECT_EQ(0, whole.exitCode);
    EXPECT_EQ(state(12), whole.out);

    EXPECT_EQ(state(5), play({"--break", "2"}).out);
    EXPECT_EQ(state(1), play({"--break", "1"}).out);
    for (const char* noBreak : {"0", "-1", "3", "99", "-99999999999999999999"}) {
        SCOPED_TRACE(noBreak);
        EXPECT_EQ(state(12), play({"--break", noBreak}).out);
    }
}

TEST(CliPlay, BanksAndWrittenFiles) {
    CCliFolder dir;
    const std::string macro = dir.Write("m.mcr", "10,[3],9,");
    const std::string first = dir.Write("first.qvl", NumberedQvl(4));
    const std::string second = dir.Write("second.qvl", NumberedQvl(6).substr(192) + QvlScreen());
    const SCliResult result =
        dir.Run({"play", macro, "--out2", dir.Path("out2.qvl"), "--select2", second, "--select1",
                 first, "--out1", dir.Path("out1.qvl"), "--out3", dir.Path("out3.qvl"), "--state"});
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("{\"currentBank\":0,\"currentScreen\":1,\"previewOffset\":0," +
                  Banks({{4, 4, 1}, {6, 6, 3}, {10, 10, 1}}) +
                  ",\"rangeClipCount\":0,\"macro\":\"10,[3],9,\",\"macroLines\":[\"セレクト２\","
                  "\"3\",\"セレクト１\"],\"stepCount\":3,\"modified\":false,\"messages\":[]}\n",
              result.out);
    // Exactly screens 1 .. count of each bank.
    EXPECT_EQ(ReadBytes(first), ReadBytes(dir.Path("out1.qvl")));
    EXPECT_EQ(ReadBytes(second), ReadBytes(dir.Path("out2.qvl")));
    EXPECT_EQ(std::string(1920, '\0'), ReadBytes(dir.Path("out3.qvl")));

    // An empty bank writes an empty file.
    dir.Write("none.qvl", "");
    EXPECT_EQ(0, dir.Run({"play", dir.Write("n.mcr", ""), "--select3", dir.Path("none.qvl"),
                          "--out3", dir.Path("none-out.qvl")})
                     .exitCode);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("none-out.qvl")));
    EXPECT_EQ("", ReadBytes(dir.Path("none-out.qvl")));
}

TEST(CliPlay, EveryMixOfOpenedBanksPlaysFromSelect1) {
    // Each bank file differs from the others; a macro that starts with
    // "リバース" (19) inverts screen 1 of the bank it starts on, which must
    // be select1 whichever banks were opened. Every bank is written back.
    CCliFolder dir;
    const std::array<std::string, 3> films = {NumberedQvl(3), NumberedQvl(5).substr(192 * 1),
                                              NumberedQvl(7).substr(192 * 2)};
    for (int bank = 0; bank < 3; ++bank)
        dir.Write("in" + std::to_string(bank + 1) + ".qvl", films[bank]);

    struct SMix {
        std::vector<int> opened;                   // the --selectK given (1-based)
        std::string macro;                         // what is played
        std::vector<std::pair<int, int>> inverted; // (bank, screen), 1-based
    };
    const std::vector<SMix> mixes = {
        {{}, "19,", {{1, 1}}},
        {{1}, "19,", {{1, 1}}},
        {{2}, "19,", {{1, 1}}},
        {{3}, "19,", {{1, 1}}},
        {{1, 2}, "19,", {{1, 1}}},
        {{2, 3}, "19,", {{1, 1}}},
        {{1, 3}, "19,", {{1, 1}}},
        {{3, 2, 1}, "19,", {{1, 1}}},
        {{2, 3}, "19,10,19,", {{1, 1}, {2, 1}}},
        {{2, 3}, "19,11,[3],19,9,[2],19,", {{1, 1}, {3, 3}, {1, 2}}},
        {{1, 2, 3}, "19,10,[4],19,11,19,", {{1, 1}, {2, 4}, {3, 1}}},
    };
    for (const SMix& mix : mixes) {
        std::string trace = mix.macro + " after";
        std::vector<std::string> args{"play", dir.Write("m.mcr", mix.macro)};
        for (const int bank : mix.opened) {
            trace += " --select" + std::to_string(bank);
            args.insert(args.end(), {"--select" + std::to_string(bank),
                                     dir.Path("in" + std::to_string(bank) + ".qvl")});
        }
        SCOPED_TRACE(trace);
        for (int bank = 1; bank <= 3; ++bank)
            args.insert(args.end(), {"--out" + std::to_string(bank),
                                     dir.Path("out" + std::to_string(bank) + ".qvl")});
        ASSERT_EQ(0, dir.Run(args).exitCode);

        for (int bank = 1; bank <= 3; ++bank) {
            const bool opened =
                std::find(mix.opened.begin(), mix.opened.end(), bank) != mix.opened.end();
            std::string expected = opened ? films[bank - 1] : std::string(1920, '\0');
            for (const auto& [invertedBank, screen] : mix.inverted)
                if (invertedBank == bank)
                    for (size_t i = 0; i < 192; ++i)
                        expected[(screen - 1) * 192 + i] =
                            static_cast<char>(~expected[(screen - 1) * 192 + i]);
            EXPECT_EQ(expected, ReadBytes(dir.Path("out" + std::to_string(bank) + ".qvl")))
                << "--out" << bank;
        }
    }
}

TEST(CliPlay, GoToScreenIsClampedToTheBank) {
    CCliFolder dir;
    const SCliResult high = dir.Run({"play", dir.Write("high.mcr", "[900],"), "--state"});
    EXPECT_NE(std::string::npos, high.out.find("\"currentScreen\":800,"));
    EXPECT_NE(std::string::npos, high.out.find("\"macroLines\":[\"900\"],\"stepCount\":1"));
    const SCliResult low = dir.Run({"play", dir.Write("low.mcr", "[-4],[x],"), "--state"});
    EXPECT_NE(std::string::npos, low.out.find("\"currentScreen\":1,"));
}

TEST(CliPlay, MacroFileLimitAndRefusedFiles) {
    CCliFolder dir;
    std::string tokens;
    while (tokens.size() < 8192)
        tokens += "[7],";
    tokens.resize(8192);
    const SCliResult largest = dir.Run({"play", dir.Write("8192.mcr", tokens), "--state"});
    EXPECT_EQ(0, largest.exitCode);
    EXPECT_NE(std::string::npos, largest.out.find("\"currentScreen\":7,"));

    const SCliResult tooLarge = dir.Run({"play", dir.Write("9000.mcr", std::string(9000, '7')),
                                         "--state", "--out1", dir.Path("never.qvl")});
    EXPECT_EQ(1, tooLarge.exitCode);
    EXPECT_EQ("マクロファイルが 8192 バイトを超えています。\n", tooLarge.err);
    EXPECT_EQ("", tooLarge.out);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("never.qvl")));

    const std::string macro = dir.Write("m.mcr", "8,");
    const SCliResult missingMacro = dir.Run({"play", dir.Path("nothing.mcr")});
    EXPECT_EQ(1, missingMacro.exitCode);
    EXPECT_EQ(dir.Path("nothing.mcr") + " が見つかりません。\n", missingMacro.err);

    const SCliResult badSelect =
        dir.Run({"play", macro, "--select2", dir.Write("odd.qvl", std::string(200, '\0')), "--out1",
                 dir.Path("never.qvl"), "--state"});
    EXPECT_EQ(1, badSelect.exitCode);
    EXPECT_EQ("qvlファイルではありません。\n", badSelect.err);
    EXPECT_EQ("", badSelect.out);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("never.qvl")));

    const std::string unwritable = dir.Path("no-such-folder/out.qvl");
    const SCliResult badOut = dir.Run({"play", macro, "--out1", unwritable, "--state"});
    EXPECT_EQ(1, badOut.exitCode);
    EXPECT_EQ(unwritable + " が見つかりません。\n", badOut.err);
}

TEST(CliPlay, StateIsValidJsonWhateverTheMacroHolds) {
    CCliFolder dir;
    // A go-to-screen token whose text holds a quote, a backslash, control
    // characters, bytes that are no character of code page 932 and
    // double-byte characters; then an unknown token of raw bytes; then a
    // bitmap import of a file whose name is no UTF-8, which its message names.
    const std::string macro = "[\"\\\x01\n\x80\xE3\x81\xED\xA0\x80\xC0\xAF\x7F],\xFF\xFE,32,";
    const SCliResult result = dir.Run(
        {"play", dir.Write("raw.mcr", macro), "--bitmap", dir.Path("\xC0\xAF.bmp"), "--state"});
    ASSERT_EQ(0, result.exitCode);
    // The macro reads as code page 932: E3 81 and ED A0 are kanji, C0 and AF
    // half-width katakana.
    const std::string fffd = "\xEF\xBF\xBD";
    const std::string line = "\\\"\\\\\\u0001\\n" + fffd + "縺恝" + fffd + "ﾀｯ\x7F";
    EXPECT_NE(std::string::npos,
              result.out.find("\"macro\":\"[" + line + "]," + fffd + fffd + ",32,\""));
    EXPECT_NE(std::string::npos,
              result.out.find("\"macroLines\":[\"" + line + "\",\"Ｂｉｔｍａｐ取込\"]"));
    // A file name is bytes: what is no UTF-8 in it is replaced.
    EXPECT_NE(std::string::npos, result.out.find(fffd + fffd + ".bmp が見つかりません。"))
        << result.out;
    if (const std::optional<bool> valid = PythonAcceptsJson(dir, result.out)) {
        EXPECT_TRUE(*valid) << result.out;
    }
}

TEST(CliPlay, CharacterImportTakesTheTextAnswer) {
    CCliFolder dir;
    const std::string macro = dir.Write("chars.mcr", "12,");
    std::vector<std::pair<int, int>> everyDot;
    for (int column = 0; column < 48; ++column)
        for (int row = 0; row < 32; ++row)
            everyDot.emplace_back(column, row);
    const std::string full = dir.Write("full.qvl", QvlScreen(everyDot));

    const SCliResult drawn = dir.Run({"play", macro, "--select1", full, "--text16", "漢", "--out1",
                                      dir.Path("drawn.qvl"), "--state"});
    EXPECT_EQ(0, drawn.exitCode);
    EXPECT_NE(std::string::npos, drawn.out.find("\"modified\":true,\"messages\":[]}"));
    const std::string bytes = ReadBytes(dir.Path("drawn.qvl"));
    ASSERT_EQ(192u, bytes.size());
    unsigned lit = 0;
    for (int column = 0; column < 48; ++column) {
        const auto byte = [&](int i) {
            return static_cast<unsigned>(static_cast<unsigned char>(bytes[column * 4 + i]));
        };
        const unsigned word = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
        // The kanji stands in the lower 16 rows of the first 16 columns.
        EXPECT_EQ(0u, word & (column < 16 ? 0xFFFF0000u : 0xFFFFFFFFu)) << column;
        lit |= word;
    }
    EXPECT_NE(0u, lit);

    // Without an answer the dialog counts as cancelled: the empty box blanks
    // the screen.
    EXPECT_EQ(
        0, dir.Run({"play", macro, "--select1", full, "--out1", dir.Path("blank.qvl")}).exitCode);
    EXPECT_EQ(std::string(192, '\0'), ReadBytes(dir.Path("blank.qvl")));
}

// Whether columns [first, first + count) of a screen hold no lit dot.
bool Blank(const std::vector<unsigned>& screen, size_t first, size_t count) {
    return std::all_of(screen.begin() + static_cast<std::ptrdiff_t>(first),
                       screen.begin() + static_cast<std::ptrdiff_t>(first + count),
                       [](unsigned word) { return word == 0; });
}

TEST(CliPlay, TextAnswersAreWholeCp932CharactersWithinTheLimit) {
    CCliFolder dir;
    // Plays `macro` with the answers and gives the first screen of select1;
    // no message box may come up.
    const auto import = [&](const std::string& macro, const std::vector<std::string>& answers) {
        std::vector<std::string> args{"play", dir.Write("m.mcr", macro)};
        args.insert(args.end(), answers.begin(), answers.end());
        args.insert(args.end(), {"--out1", dir.Path("o.qvl"), "--state"});
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(0, result.exitCode);
        EXPECT_NE(std::string::npos, result.out.find("\"messages\":[]}")) << result.out;
        return ScreenWords(ReadBytes(dir.Path("o.qvl")), 0);
    };

    // 髙 (FB FC, an IBM extension) is one character in one 16-column slot,
    // and the font is still there for the character after it.
    const std::vector<unsigned> taka = import("12,", {"--text16", "髙"});
    EXPECT_FALSE(Blank(taka, 0, 16));
    EXPECT_TRUE(Blank(taka, 16, 32));
    const std::vector<unsigned> takaA = import("12,12,", {"--text16", "髙", "--text16", "髙A"});
    EXPECT_TRUE(std::equal(taka.begin(), taka.begin() + 16, takaA.begin()));
    EXPECT_FALSE(Blank(takaA, 16, 8));

    // An answer longer than the box is cut where the dialog's edit cuts
    // typing: 漢字 for 32 dots draws 漢 alone, nothing of 字 in columns 32..47.
    const std::vector<unsigned> kan = import("39,", {"--text32", "漢"});
    EXPECT_TRUE(Blank(kan, 32, 16));
    EXPECT_EQ(import("39,", {"--text32", "漢字"}), kan);
    EXPECT_EQ(import("12,", {"--text16", "漢字漢字"}), import("12,", {"--text16", "漢字漢"}));
}

TEST(CliPlay, UsageErrors) {
    CCliFolder dir;
    const std::string macro = dir.Write("m.mcr", "8,");
    const std::string film = dir.Write("film.qvl", QvlScreen());
    const std::vector<std::vector<std::string>> bad = {
        {"play"},
        {"play", "--state"},
        {"play", macro, "other.mcr"},
        {"play", macro, "--select1"},
        {"play", macro, "--select1", film, "--select1", film},
        {"play", macro, "--out2", "a.qvl", "--out2", "b.qvl"},
        {"play", macro, "--break", "1", "--break", "2"},
        {"play", macro, "--break", "two"},
        {"play", macro, "--break", "1.5"},
        {"play", macro, "--select4", film},
        {"play", macro, "--text16"},
        {"play", macro, "-x"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args.size() > 2 ? args[2] : "(short)");
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode);
        EXPECT_EQ("", result.out);
        EXPECT_TRUE(IsUsageLine(result.err)) << result.err;
    }

    // Answers for dialogs are taken even when no step asks for them; an
    // option's value is taken as it stands, even when it looks like an option.
    const SCliResult answers = dir.Run(
        {"play", "--text16", "--state", "--text32", "字", macro, "--bitmap", "a.bmp", "--state"});
    EXPECT_EQ(0, answers.exitCode);
    EXPECT_NE(std::string::npos, answers.out.find("\"currentScreen\":1,"));
}

} // namespace
