// Writes the seed corpus of every fuzz target into the folder given on the
// command line, one folder per target: a few valid files of each format made
// by the program's own writers, and their near misses. The corpus is made
// anew by every build, so that the repository holds no binary files.

#include "app/QvlFormat.h"
#include "edit/BitmapCodec.h"
#include "edit/GifWriter.h"
#include "store/ScreenGeometry.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path g_root;
bool g_failed = false;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path folder = g_root / target;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "cannot write " << (folder / name) << '\n';
        g_failed = true;
    }
}

// `count` screens with a different figure on each: a diagonal, a frame and
// a filled block, so that every effect has dots to move.
std::vector<Word> Screens(int count) {
    std::vector<Word> words(static_cast<size_t>(count) * kWordsPerScreen);
    for (int n = 0; n < count; ++n) {
        Word* screen = &words[static_cast<size_t>(n) * kWordsPerScreen];
        for (int column = 0; column < kScreenColumns; ++column) {
            switch (n % 3) {
            case 0:
                screen[column] = 0x80000000u >> ((column + n) % 32);
                break;
            case 1:
                screen[column] =
                    column == 0 || column == kScreenColumns - 1 ? 0xFFFFFFFFu : 0x80000001u;
                break;
            default:
                screen[column] = column >= 8 && column < 24 ? 0x00FFFF00u : 0;
                break;
            }
        }
    }
    return words;
}

std::string Le16(unsigned value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}

// An input of the macro engine target (see fuzz_macro_engine.cpp).
std::string MacroInput(std::uint8_t flags, int count1, int count2, int count3,
                       const std::string& macro, const std::string& pattern,
                       const std::string& answers) {
    return std::string(1, static_cast<char>(flags)) + Le16(count1) + Le16(count2) + Le16(count3) +
           Le16(static_cast<unsigned>(macro.size())) + macro +
           std::string(1, static_cast<char>(pattern.size())) + pattern + answers;
}

// Every step code once, with go-to-screen steps between.
std::string EveryStep() {
    std::string macro;
    for (int code = 1; code <= 42; ++code) {
        macro += std::to_string(code) + ",";
        // Appended piece by piece: GCC 12 at -O3 sees an overlap in
        // "[" + text + "]," that is not there (-Wrestrict).
        if (code % 7 == 0) {
            macro += '[';
            macro += std::to_string(code * 19);
            macro += "],";
        }
    }
    return macro;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seed_corpus FOLDER\n";
        return 2;
    }
    g_root = argv[1];

    const std::vector<Word> full = Screens(kMaxScreens);
    const std::string qvlFull = EncodeQvl(full.data(), full.size());
    Seed("qvl_open", "one.qvl", qvlFull.substr(0, kScreenBytes));
    Seed("qvl_open", "ten.qvl", qvlFull.substr(0, 10 * kScreenBytes));
    Seed("qvl_open", "full.qvl", qvlFull);
    Seed("qvl_open", "over.qvl", qvlFull + qvlFull.substr(0, kScreenBytes));
    Seed("qvl_open", "odd.qvl", qvlFull.substr(0, kScreenBytes + 1));
    Seed("qvl_open", "empty.qvl", "");

    Seed("mcr_load", "steps.mcr", "1,2,[5],13,17,\r\n");
    Seed("mcr_load", "every.mcr", EveryStep());
    Seed("mcr_load", "odd.mcr", "[12,]3,,7,[,\r\r\n\n43,0,-1,[99999999999],");
    Seed("mcr_load", "over.mcr", std::string(8193, '1'));

    const std::string bitmap = EncodeBitmap(
        std::span<const Word, kWordsPerScreen>(full.data() + kWordsPerScreen, kWordsPerScreen));
    Seed("bmp_import", "screen.bmp", bitmap);
    Seed("bmp_import", "preview.bmp", std::string(1, '\x01') + bitmap.substr(1));
    Seed("bmp_import", "short.bmp", bitmap.substr(0, kBitmapFileBytes - 1));
    Seed("bmp_import", "long.bmp", bitmap + "trailing");

    for (int frames : {1, 3}) {
        std::string gif;
        if (EncodeGifAnimation(full.data(), frames, SRenderOptions{}, kDefaultGifDelayMs, {},
                               gif) != EEncodeStatus::Done) {
            std::cerr << "cannot encode a GIF\n";
            return 1;
        }
        const std::string name = std::to_string(frames) + "frames";
        Seed("gif_import", name + ".gif", std::string("\x80\x00", 2) + gif);
        Seed("gif_import", name + "-contain-end.gif", std::string("\x40\x07", 2) + gif);
        Seed("gif_import", name + "-cut.gif",
             std::string("\x80\x00", 2) + gif.substr(0, gif.size() / 2));
    }

    // Flag byte, then the CP932 bytes placed, then the bytes typed.
    Seed("character_import", "kanji16.txt", "\x00\x82\xa0\x8a\xbf\x82\xa0\xe3\x81\x82");
    Seed("character_import", "mixed32.txt", "\x01\x41\x82\xa0\x20\xff\xf0\x40\x41\x82\xa0");
    Seed("character_import", "ascii16.txt",
         "\x00"
         "ABCDEFABC");

    const std::string pattern = "\x81\x42\x00\xff\x18";
    Seed("macro_engine", "steps", MacroInput(0, 10, 10, 10, "1,2,[5],13,17,", pattern, ""));
    Seed("macro_engine", "every-step", MacroInput(0, 20, 5, 0, EveryStep(), pattern, ""));
    Seed("macro_engine", "every-step-shift", MacroInput(1, 20, 5, 0, EveryStep(), pattern, ""));
    Seed("macro_engine", "full-banks",
         MacroInput(8, 800, 800, 800, "1,2,4,5,3,14,18,21,22,23,26,28,29,30,31,42,33,34,[800],",
                    pattern, ""));
    Seed("macro_engine", "dialogs",
         MacroInput(6, 3, 3, 3, "12,39,32,12,39,", pattern,
                    std::string(8, '\x02') + "\x02\x82\xa0\x02\x41\x42\xff\x01\x43" + "\x01" +
                        bitmap));
    Seed("macro_engine", "odd-tokens",
         MacroInput(0, 0, 800, 1, "[,[0],[801],[-5],43,0,,9,", pattern, ""));
    return g_failed ? 1 : 0;
}
