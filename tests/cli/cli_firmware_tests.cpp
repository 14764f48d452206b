// glowmotion-cli export for firmware: every dot layout read back from the
// raw bytes and from the C array by a decoder written from the layouts'
// descriptions, X11 bitmaps read back by ImageMagick, and the options a
// layout or a format does not take.

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 48;
constexpr int kHeight = 32;
constexpr size_t kScreenBytes = 192;

// Whether the dot (x, y) of screen `n` of a .qvl file's bytes is lit: 48
// little-endian column words a screen, bit 31 the top dot.
bool QvlLit(const std::string& qvl, int n, int x, int y) {
    const size_t offset = static_cast<size_t>(n) * kScreenBytes + static_cast<size_t>(x) * 4;
    const int bit = 31 - y;
    return (static_cast<unsigned char>(qvl[offset + static_cast<size_t>(bit / 8)]) >> bit % 8 &
            1) != 0;
}

// How the tool is told a layout, and the wiring a strip runs in.
struct SLayoutCase {
    std::string layout;
    std::string origin = "tl";
    std::string scan = "rows";
    bool serpentine = false;

    std::vector<std::string> Args() const {
        std::vector<std::string> args{"--layout", layout};
        if (layout != "strip")
            return args;
        args.insert(args.end(), {"--origin", origin, "--scan", scan});
        if (serpentine)
            args.emplace_back("--serpentine");
        return args;
    }
    std::string Name() const {
        return layout == "strip"
                   ? layout + " " + origin + " " + scan + (serpentine ? " serpentine" : "")
                   : layout;
    }
};

// The dots of a strip in the order they are wired: start in the origin's
// corner, walk the first line along the scan away from it, then each next
// line, every second one backwards when serpentine.
std::vector<std::pair<int, int>> StripWalk(const SLayoutCase& c) {
    const bool rows = c.scan == "rows";
    const int lines = rows ? kHeight : kWidth;
    const int length = rows ? kWidth : kHeight;
    std::vector<std::pair<int, int>> walk;
    for (int line = 0; line < lines; ++line)
        for (int step = 0; step < length; ++step) {
            const int along = c.serpentine && line % 2 == 1 ? length - 1 - step : step;
            int x = rows ? along : line;
            int y = rows ? line : along;
            if (c.origin[1] == 'r')
                x = kWidth - 1 - x;
            if (c.origin[0] == 'b')
                y = kHeight - 1 - y;
            walk.emplace_back(x, y);
        }
    return walk;
}

// Screens in the bytes of a .qvl file, read back from `values`: 192 bytes a
// screen, or for the columns layout 48 words of 32 bits.
std::string Decode(const std::vector<std::uint32_t>& values, const SLayoutCase& c) {
    const bool words = c.layout == "columns";
    const size_t perScreen = words ? 48 : kScreenBytes;
    const size_t screens = values.size() / perScreen;
    const std::vector<std::pair<int, int>> walk = StripWalk(c);
    std::string qvl(screens * kScreenBytes, '\0');
    for (size_t n = 0; n < screens; ++n) {
        const std::uint32_t* v = values.data() + n * perScreen;
        const auto light = [&](int x, int y) {
            const int bit = 31 - y;
            char& byte = qvl[n * kScreenBytes + static_cast<size_t>(x) * 4 + bit / 8];
            byte = static_cast<char>(byte | 1 << bit % 8);
        };
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                bool lit = false;
                if (c.layout == "rows")
                    lit = (v[y * 6 + x / 8] >> (7 - x % 8) & 1) != 0;
                else if (c.layout == "rows-lsb")
                    lit = (v[y * 6 + x / 8] >> (x % 8) & 1) != 0;
                else if (c.layout == "pages")
                    lit = (v[(y / 8) * 48 + x] >> (y % 8) & 1) != 0;
                else if (c.layout == "columns")
                    lit = (v[x] >> (31 - y) & 1) != 0;
                if (lit)
                    light(x, y);
            }
        if (c.layout == "strip")
            for (size_t i = 0; i < walk.size(); ++i)
                if ((v[i / 8] >> (7 - i % 8) & 1) != 0)
                    light(walk[i].first, walk[i].second);
    }
    return qvl;
}

// The values of raw bytes: the bytes themselves, or little-endian words.
std::vector<std::uint32_t> RawValues(const std::string& bytes, bool words) {
    std::vector<std::uint32_t> values;
    const size_t step = words ? 4 : 1;
    for (size_t i = 0; i + step <= bytes.size(); i += step) {
        std::uint32_t value = 0;
        for (size_t k = step; k-- > 0;)
            value = value << 8 | static_cast<unsigned char>(bytes[i + k]);
        values.push_back(value);
    }
    return values;
}

// The hex numbers of the first array initializer of C text `source`, from
// its "= {" to its "};" (comments hold none).
std::vector<std::uint32_t> ArrayValues(const std::string& source) {
    std::vector<std::uint32_t> values;
    const size_t start = source.find("= {");
    const size_t end = source.find("};", start);
    if (start == std::string::npos || end == std::string::npos)
        return values;
    for (size_t at = source.find("0x", start); at < end; at = source.find("0x", at + 2))
        values.push_back(
            static_cast<std::uint32_t>(std::stoul(source.substr(at, 10), nullptr, 16)));
    return values;
}

// `count` screens of pseudo-random dots, some rows and columns blank.
std::string RandomQvl(int count) {
    std::mt19937 random(18);
    std::string bytes(static_cast<size_t>(count) * kScreenBytes, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

TEST(CliFirmware, EveryLayoutDecodesBackFromTheRawBytesAndTheCArray) {
    CCliFolder dir;
    const std::string film = RandomQvl(3);
    const std::string file = dir.Write("film.qvl", film);
    std::vector<SLayoutCase> cases = {{"rows"}, {"rows-lsb"}, {"pages"}, {"columns"}};
    for (const char* origin : {"tl", "tr", "bl", "br"})
        for (const char* scan : {"rows", "columns"})
            for (const bool serpentine : {false, true})
                cases.push_back({"strip", origin, scan, serpentine});
    const char* const corners[] = {"top-left", "top-right", "bottom-left", "bottom-right"};

    for (const SLayoutCase& c : cases) {
        SCOPED_TRACE(c.Name());
        const bool words = c.layout == "columns";
        std::vector<std::string> args = c.Args();
        for (const char* out : {"out.bin", "out.h", "out.c"}) {
            std::vector<std::string> command{"export", file, dir.Path(out)};
            command.insert(command.end(), args.begin(), args.end());
            const SCliResult result = dir.Run(command);
            ASSERT_EQ(0, result.exitCode) << out << ": " << result.err;
        }
        const std::string raw = ReadBytes(dir.Path("out.bin"));
        ASSERT_EQ(raw.size(), film.size());
        EXPECT_EQ(Decode(RawValues(raw, words), c), film) << "raw bytes";
        const std::string header = ReadBytes(dir.Path("out.h"));
        const std::vector<std::uint32_t> values = ArrayValues(header);
        ASSERT_EQ(values.size(), words ? 3u * 48 : 3u * 192);
        EXPECT_EQ(Decode(values, c), film) << "C header";
        EXPECT_EQ(ArrayValues(ReadBytes(dir.Path("out.c"))), values) << "C definition";

        // The comment says in words what the array holds.
        EXPECT_NE(header.find("Layout " + c.layout + ":"), std::string::npos) << header;
        if (c.layout == "strip") {
            const int corner = (c.origin[0] == 'b' ? 2 : 0) + (c.origin[1] == 'r' ? 1 : 0);
            EXPECT_NE(header.find(c.scan + " from the " + corners[corner] + " corner"),
                      std::string::npos);
            EXPECT_EQ(header.find("serpentine") != std::string::npos, c.serpentine);
        }
    }
}

TEST(CliFirmware, XbmHoldsOneScreenThatImageMagickReads) {
    CCliFolder dir;
    const std::string film = RandomQvl(3);
    const std::string file = dir.Write("film.qvl", film);
    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("logo.xbm"), "--from", "2"}).exitCode);
    const std::string xbm = ReadBytes(dir.Path("logo.xbm"));
    EXPECT_EQ(xbm.find("#define logo_width 48\n#define logo_height 32\n"
                       "static unsigned char logo_bits[] = {\n"),
              0u)
        << xbm;
    // Rows from the top, the leftmost dot in the low bit.
    EXPECT_EQ(Decode(ArrayValues(xbm), {"rows-lsb"}), film.substr(kScreenBytes, kScreenBytes));
    // --to only as --from; a name of one's own.
    ASSERT_EQ(0, dir.Run({"export", file, dir.Path("one.XBM"), "--from", "3", "--to", "3", "--name",
                          "sign"})
                     .exitCode);
    const std::string third = ReadBytes(dir.Path("one.XBM"));
    EXPECT_NE(third.find("static unsigned char sign_bits[] = {"), std::string::npos);
    EXPECT_EQ(Decode(ArrayValues(third), {"rows-lsb"}), film.substr(2 * kScreenBytes));

    std::string tool;
    for (const char* name : {"magick", "convert"})
        if (tool.empty() &&
            std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0)
            tool = name;
    if (tool.empty())
        GTEST_SKIP() << "ImageMagick (magick or convert) is not installed: the X11 bitmap is not "
                        "read back by it";
    // As a plain PBM: "P1", the size, then 0 or 1 a pixel, 1 for black, the
    // colour of a set bit.
    const std::string pbm = dir.Path("logo.pbm");
    const std::string command =
        tool + " '" + dir.Path("logo.xbm") + "' -compress none 'pbm:" + pbm + "' 2>&1";
    ASSERT_EQ(0, std::system(command.c_str())) << command;
    std::vector<int> numbers;
    const std::string text = ReadBytes(pbm);
    ASSERT_EQ(text.substr(0, 2), "P1");
    for (size_t i = 2; i < text.size(); ++i)
        if (text[i] >= '0' && text[i] <= '9') {
            size_t end = i;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9')
                ++end;
            // After the size, every pixel is one digit, written with or
            // without spaces between.
            if (numbers.size() >= 2) {
                for (size_t k = i; k < end; ++k)
                    numbers.push_back(text[k] - '0');
            } else {
                numbers.push_back(std::stoi(text.substr(i, end - i)));
            }
            i = end;
        }
    ASSERT_EQ(numbers.size(), 2u + kWidth * kHeight);
    EXPECT_EQ(numbers[0], kWidth);
    EXPECT_EQ(numbers[1], kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(numbers[2 + static_cast<size_t>(y * kWidth + x)] == 1, QvlLit(film, 1, x, y))
                << "dot " << x << "," << y;
}

TEST(CliFirmware, OptionsALayoutOrFormatDoesNotTakeAreUsageErrors) {
    CCliFolder dir;
    const std::string file = dir.Write("film.qvl", RandomQvl(4));
    const std::string h = dir.Path("o.h");
    const std::string bin = dir.Path("o.bin");
    const std::string xbm = dir.Path("o.xbm");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{h, "--layout", "strip", "--origin", "xx"}, "--origin takes tl, tr, bl or br, not 'xx'"},
        {{h, "--layout", "strip", "--scan", "diagonal"}, "--scan takes rows or columns"},
        {{h, "--layout", "rows_lsb"}, "--layout takes rows, rows-lsb, pages, columns or strip"},
        {{h, "--serpentine"}, "option --serpentine applies to --layout strip only"},
        {{bin, "--origin", "br", "--layout", "pages"}, "option --origin applies to --layout strip"},
        {{h, "--layout", "columns", "--scan", "rows"}, "option --scan applies to --layout strip"},
        {{bin, "--progmem"}, "option --progmem does not apply to"},
        {{xbm, "--layout", "rows"}, "option --layout does not apply to"},
        {{xbm, "--progmem"}, "option --progmem does not apply to"},
        {{xbm, "--serpentine"}, "option --serpentine does not apply to"},
        {{xbm, "--from", "2", "--to", "3"}, "an X11 bitmap holds one screen"},
        {{xbm, "--to", "2"}, "an X11 bitmap holds one screen"},
        {{xbm, "--from", "5"}, "has no screen 5"},
        {{dir.Path("o.gif"), "--progmem"}, "option --progmem does not apply to"},
        {{h, "--progmem", "--progmem"}, "option --progmem given more than once"},
        {{h, "--progmem", "yes"}, "unexpected argument 'yes'"},
    };
    for (const auto& [tail, message] : cases) {
        std::vector<std::string> args{"export", file};
        args.insert(args.end(), tail.begin(), tail.end());
        const SCliResult result = dir.Run(args);
        EXPECT_EQ(2, result.exitCode) << message;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        if (message.find("has no screen") == std::string::npos) {
            EXPECT_TRUE(IsUsageLine(result.err)) << result.err;
        }
    }
    for (const std::string& path : {h, bin, xbm})
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
}

} // namespace
