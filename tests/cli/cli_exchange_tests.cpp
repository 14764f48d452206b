// glowmotion-cli export and import: every format by its extension, round
// trips through GIF, the byte layouts, and the usage errors.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The big-endian 32-bit number at `offset` of `bytes`.
unsigned BigEndian(const std::string& bytes, size_t offset) {
    unsigned value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

TEST(CliExchange, GifRoundTripsInBothStyles) {
    CCliFolder dir;
    const std::string film = NumberedQvl(40);
    const std::string file = dir.Write("film.qvl", film);
    for (const std::vector<std::string>& style :
         {std::vector<std::string>{}, {"--style", "pixel", "--scale", "1"}}) {
        std::vector<std::string> args{"export", file, dir.Path("film.gif")};
        args.insert(args.end(), style.begin(), style.end());
        const SCliResult exported = dir.Run(args);
        ASSERT_EQ(0, exported.exitCode) << exported.err;
        EXPECT_EQ("", exported.out + exported.err);
        EXPECT_EQ("GIF89a", ReadBytes(dir.Path("film.gif")).substr(0, 6));

        const SCliResult imported = dir.Run({"import", dir.Path("film.gif"), dir.Path("back.qvl")});
        ASSERT_EQ(0, imported.exitCode) << imported.err;
        EXPECT_EQ(film, ReadBytes(dir.Path("back.qvl")));
    }

    // A range, with a delay.
    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("part.gif"), "--from", "5", "--to", "7",
                          "--delay", "250"})
                     .exitCode);
    ASSERT_EQ(0, dir.Run({"import", dir.Path("part.gif"), dir.Path("part.qvl")}).exitCode);
    EXPECT_EQ(film.substr(4 * 192, 3 * 192), ReadBytes(dir.Path("part.qvl")));

    // Inverted, every dot flips.
    ASSERT_EQ(0, dir.Run({"import", dir.Path("part.gif"), dir.Path("inverse.qvl"), "--invert",
                          "--threshold", "128", "--fit", "contain"})
                     .exitCode);
    const std::string inverse = ReadBytes(dir.Path("inverse.qvl"));
    ASSERT_EQ(inverse.size(), 3u * 192);
    for (size_t i = 0; i < inverse.size(); ++i)
        ASSERT_EQ(static_cast<char>(~film[4 * 192 + i]), inverse[i]) << i;
}

TEST(CliExchange, PngSheetSize) {
    CCliFolder dir;
    const std::string file = dir.Write("film.qvl", NumberedQvl(5));
    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("sheet.png"), "--columns", "3", "--scale", "1"})
                     .exitCode);
    const std::string png = ReadBytes(dir.Path("sheet.png"));
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ("\x89PNG\r\n\x1a\n", png.substr(0, 8));
    EXPECT_EQ("IHDR", png.substr(12, 4));
    EXPECT_EQ(3u * 48 + 2, BigEndian(png, 16)); // three screens, two gaps
    EXPECT_EQ(2u * 32 + 1, BigEndian(png, 20)); // two rows, one gap

    // One screen, at the default scale of 8.
    ASSERT_EQ(0,
              dir.Run({"export", file, dir.Path("one.PNG"), "--from", "2", "--to", "2"}).exitCode);
    const std::string one = ReadBytes(dir.Path("one.PNG"));
    EXPECT_EQ(384u, BigEndian(one, 16));
    EXPECT_EQ(256u, BigEndian(one, 20));
}

TEST(CliExchange, CSourceAndRawBytes) {
    CCliFolder dir;
    const std::string film = QvlScreen({{0, 0}, {9, 1}}) + QvlScreen({{47, 31}});
    const std::string file = dir.Write("two.qvl", film);

    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("2 frames.h")}).exitCode);
    const std::string rows = ReadBytes(dir.Path("2 frames.h"));
    EXPECT_NE(std::string::npos, rows.find("#include <stdint.h>\n"));
    EXPECT_NE(std::string::npos, rows.find("#define frames_2_frames_FRAMES 2\n"));
    EXPECT_NE(std::string::npos, rows.find("#define frames_2_frames_WIDTH 48\n"));
    EXPECT_NE(std::string::npos, rows.find("#define frames_2_frames_HEIGHT 32\n"));
    EXPECT_NE(
        std::string::npos,
        rows.find("\nstatic const uint8_t frames_2_frames[frames_2_frames_FRAMES][192] = {\n"));
    // Row 0 starts 0x80; row 1 has dot 9, the second bit of its second byte.
    EXPECT_NE(std::string::npos, rows.find("        0x80, 0x00, 0x00, 0x00, 0x00, 0x00, "
                                           "0x00, 0x40, 0x00,"));

    ASSERT_EQ(0,
              dir.Run({"export", file, dir.Path("cols.c"), "--layout", "columns", "--name", "sign"})
                  .exitCode);
    const std::string columns = ReadBytes(dir.Path("cols.c"));
    // A .c holds the one definition, declared first for C++'s sake.
    EXPECT_NE(std::string::npos, columns.find("\nextern const uint32_t sign[2][48];\n"
                                              "const uint32_t sign[2][48] = {\n"));
    EXPECT_EQ(std::string::npos, columns.find("#define"));
    EXPECT_NE(std::string::npos, columns.find("        0x80000000, 0x00000000,"));

    // Raw bytes: the columns layout is the file itself; rows are 192 a screen.
    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("same.bin"), "--layout", "columns"}).exitCode);
    EXPECT_EQ(film, ReadBytes(dir.Path("same.bin")));
    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("rows.bin"), "--from", "2"}).exitCode);
    std::string expected(192, '\0');
    expected[191] = '\x01';
    EXPECT_EQ(expected, ReadBytes(dir.Path("rows.bin")));
}

TEST(CliExchange, UsageErrors) {
    CCliFolder dir;
    const std::string file = dir.Write("film.qvl", NumberedQvl(4));
    const std::string gif = dir.Path("out.gif");
    const auto usage = [&](const std::vector<std::string>& args, const std::string& message) {
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode) << message;
        EXPECT_NE(std::string::npos, result.err.find(message)) << result.err;
        EXPECT_EQ("", result.out);
    };
    // What the command line itself gets wrong is one line pointing to --help.
    const auto badLine = [&](const std::vector<std::string>& args, const std::string& message) {
        usage(args, message);
        EXPECT_TRUE(IsUsageLine(dir.Run(args).err)) << message;
    };
    badLine({"export", file, dir.Path("out.txt")}, "cannot tell the format of");
    usage({"export", file, dir.Path("out")}, "cannot tell the format of");
    usage({"export", file}, "missing the output file");
    usage({"export"}, "missing the animation file");
    usage({"export", file, gif, "extra"}, "unexpected argument 'extra'");
    usage({"export", file, dir.Path("o.png"), "--delay", "100"}, "--delay does not apply");
    usage({"export", file, gif, "--columns", "2"}, "--columns does not apply");
    usage({"export", file, gif, "--layout", "rows"}, "--layout does not apply");
    usage({"export", file, dir.Path("o.bin"), "--name", "x"}, "--name does not apply");
    usage({"export", file, dir.Path("o.h"), "--scale", "2"}, "--scale does not apply");
    usage({"export", file, gif, "--scale", "0"}, "--scale takes an integer from 1 to 32");
    usage({"export", file, gif, "--scale", "33"}, "--scale takes an integer from 1 to 32");
    usage({"export", file, gif, "--delay", "10"}, "--delay takes an integer from 20");
    usage({"export", file, gif, "--style", "round"}, "--style takes led or pixel");
    usage({"export", file, dir.Path("o.h"), "--name", "1x"}, "--name takes a C identifier");
    // Names the header would clash with: it would not compile.
    for (const char* taken : {"int", "uint16_t", "INT8_MAX", "SIZE_MAX", "INT8", "linux", "_Ab"})
        usage({"export", file, dir.Path("o.h"), "--name", taken}, "--name takes a C identifier");
    usage({"export", file, gif, "--scale", "2", "--scale", "3"}, "given more than once");
    usage({"export", file, gif, "--invert"}, "unknown option '--invert'");
    usage({"export", file, gif, "--from", "x"}, "--from takes a screen number");
    // Screens the file does not have.
    usage({"export", file, gif, "--from", "0"}, "has no screen 0 (its screens are 1 to 4)");
    usage({"export", file, gif, "--to", "5"}, "has no screen 5 (its screens are 1 to 4)");
    usage({"export", file, gif, "--from", "3", "--to", "2"}, "--from 3 comes after --to 2");
    usage({"export", dir.Write("empty.qvl", ""), gif}, "holds no screens");
    usage({"import", gif}, "missing the animation file to write");
    usage({"import", gif, dir.Path("o.qvl"), "--threshold", "256"},
          "--threshold takes an integer from 0 to 255");
    usage({"import", gif, dir.Path("o.qvl"), "--fit", "cover"}, "--fit takes stretch or contain");
    badLine({"import", gif, dir.Path("o.qvl"), "--scale", "2"}, "unknown option '--scale'");
    EXPECT_FALSE(std::filesystem::exists(gif));

    const SCliResult help = dir.Run({"--help"});
    EXPECT_NE(std::string::npos, help.out.find("glowmotion-cli export FILE.qvl OUT.gif"));
    EXPECT_NE(std::string::npos, help.out.find("glowmotion-cli import IN.gif OUT.qvl"));
    EXPECT_EQ(0, dir.Run({"export", "--help"}).exitCode);
}

TEST(CliExchange, RefusedFiles) {
    CCliFolder dir;
    const std::string out = dir.Path("out.qvl");
    SCliResult result = dir.Run({"import", dir.Write("not.gif", "plain text"), out});
    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ("GIFファイルではありません。\n", result.err);
    EXPECT_FALSE(std::filesystem::exists(out));

    ASSERT_EQ(
        0, dir.Run({"export", dir.Write("film.qvl", NumberedQvl(3)), dir.Path("a.gif")}).exitCode);
    const std::string gif = ReadBytes(dir.Path("a.gif"));
    result = dir.Run({"import", dir.Write("cut.gif", gif.substr(0, gif.size() / 2)), out});
    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ("GIFファイルが壊れています。\n", result.err);
    EXPECT_FALSE(std::filesystem::exists(out));

    result = dir.Run({"import", dir.Path("missing.gif"), out});
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos, result.err.find("が見つかりません。"));

    // A sheet wider than a PNG may be is refused before it is drawn, in
    // words and without libpng's.
    const std::string bank = dir.Write("bank.qvl", NumberedQvl(800));
    result = dir.Run({"export", bank, dir.Path("wide.png"), "--scale", "32", "--columns", "638"});
    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ("PNGの画像の幅が大きすぎます(1000000ピクセルまで)。"
              "横に並べる枚数か倍率を小さくしてください。\n",
              result.err);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("wide.png")));

    // A file named like a type of <stdint.h> gives a name of its own.
    ASSERT_EQ(0, dir.Run({"export", bank, dir.Path("uint16_t.h"), "--to", "1"}).exitCode);
    EXPECT_NE(std::string::npos,
              ReadBytes(dir.Path("uint16_t.h")).find("const uint8_t uint16_t_[uint16_t__FRAMES]"));

    result = dir.Run({"export", dir.Path("missing.qvl"), dir.Path("a.png")});
    EXPECT_EQ(1, result.exitCode);
    result = dir.Run({"export", dir.Path("film.qvl"), dir.Path("no/such/a.png")});
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos, result.err.find("no/such/a.png"));
}

} // namespace
