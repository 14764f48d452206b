// Exchange with other programs: pictures of screens, animated GIF out and
// back in, PNG sheets, C sources for firmware, and the GIF import into the
// bank with its refusals. GIFs and PNGs are checked with giflib and libpng
// themselves, and test GIFs are built with giflib directly.

#include "TestSession.h"

#include "app/CommandInventory.h"
#include "edit/CSourceWriter.h"
#include "edit/GifImport.h"
#include "edit/GifWriter.h"
#include "edit/PngWriter.h"
#include "edit/ScreenExport.h"
#include "edit/ScreenRenderer.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Screens with every kind of content: blank, full, single dots at the
// corners, and pseudo-random ones.
std::vector<Word> SampleScreens(int count) {
    std::vector<Word> words(static_cast<size_t>(count) * kWordsPerScreen, 0);
    Word seed = 0xC0FFEEu;
    for (int n = 0; n < count; ++n) {
        Word* screen = words.data() + static_cast<size_t>(n) * kWordsPerScreen;
        for (int column = 0; column < kScreenColumns; ++column) {
            seed = seed * 1664525u + 1013904223u;
            switch (n % 4) {
            case 0:
                screen[column] = seed;
                break;
            case 1:
                screen[column] = column == 0 ? 0x80000000u : (column == 47 ? 1u : 0u);
                break;
            case 2:
                screen[column] = 0xFFFFFFFFu;
                break;
            default:
                break; // blank
            }
        }
    }
    return words;
}

// Fills bank 0 of the session with `words` as its screens, screen 1 current.
void LoadBank(CTestSession& t, const std::vector<Word>& words) {
    CScreenStore& s = t.s();
    std::copy(words.begin(), words.end(), s.m_banks[0].begin());
    s.m_screenCount[0] = static_cast<int>(words.size() / kWordsPerScreen);
    s.m_displayedCount[0] = s.m_screenCount[0];
    GoToScreen(t.view, 1);
}

std::vector<Word> BankWords(const CTestSession& t, int from, int count) {
    const auto& bank = t.view.Store().m_banks[0];
    const auto begin = bank.begin() + static_cast<std::ptrdiff_t>(from - 1) * kWordsPerScreen;
    return std::vector<Word>(begin, begin + static_cast<std::ptrdiff_t>(count) * kWordsPerScreen);
}

// ---- Reading GIFs with giflib, writing test GIFs with giflib ----------

struct SGifDeleter {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using CGifPtr = std::unique_ptr<GifFileType, SGifDeleter>;

struct SMemory {
    std::string_view bytes;
    size_t position = 0;
};

int ReadMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* memory = static_cast<SMemory*>(gif->UserData);
    const size_t count = std::min<size_t>(length, memory->bytes.size() - memory->position);
    std::memcpy(out, memory->bytes.data() + memory->position, count);
    memory->position += count;
    return static_cast<int>(count);
}

// The whole GIF slurped by giflib; null when giflib refuses it.
CGifPtr Slurp(const std::string& bytes, SMemory& memory) {
    memory = SMemory{bytes};
    int error = 0;
    CGifPtr gif(DGifOpen(&memory, ReadMemory, &error));
    if (gif && DGifSlurp(gif.get()) != GIF_OK)
        gif.reset();
    return gif;
}

int AppendMemory(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// One image of a test GIF: its rectangle, pixels (palette indices, row by
// row in display order), and its control block.
struct STestFrame {
    int left, top, width, height;
    std::vector<GifPixelType> pixels;
    int disposal = DISPOSE_DO_NOT;
    int transparent = NO_TRANSPARENT_COLOR;
    bool interlaced = false;
};

// A GIF of the given logical size and global colours, written by giflib.
std::string BuildGif(int width, int height, std::vector<GifColorType> colours,
                     const std::vector<STestFrame>& frames) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendMemory, &error);
    EGifSetGifVersion(gif, true);
    size_t size = 2;
    while (size < colours.size())
        size *= 2;
    colours.resize(size, GifColorType{0, 0, 0});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(size), colours.data());
    int bits = 1;
    while ((1u << bits) < size)
        ++bits;
    EXPECT_EQ(EGifPutScreenDesc(gif, width, height, bits, 0, map), GIF_OK);
    GifFreeMapObject(map);
    for (const STestFrame& frame : frames) {
        GraphicsControlBlock control{frame.disposal, false, 10, frame.transparent};
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
        EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                         nullptr);
        std::vector<int> rows;
        if (frame.interlaced) {
            // giflib stores the lines in the order given: interlace order.
            for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = start; y < frame.height; y += step)
                    rows.push_back(y);
        } else {
            for (int y = 0; y < frame.height; ++y)
                rows.push_back(y);
        }
        for (const int y : rows) {
            std::vector<GifPixelType> line(frame.pixels.begin() + y * frame.width,
                                           frame.pixels.begin() + (y + 1) * frame.width);
            EGifPutLine(gif, line.data(), frame.width);
        }
    }
    EGifCloseFile(gif, &error);
    return out;
}

// A full-size frame of one index.
STestFrame Plain(int width, int height, GifPixelType index) {
    return STestFrame{0, 0, width, height,
                      std::vector<GifPixelType>(static_cast<size_t>(width) * height, index)};
}

// Imports `gif` into a fresh session's select1 from screen 1 and returns
// `count` screens from screen 1; fails the test when refused.
std::vector<Word> ImportFresh(const std::string& gif, int count, const SDotOptions& options = {}) {
    CTestSession t;
    EXPECT_TRUE(ImportGif(t.view, gif, options)) << ::testing::PrintToString(t.MessageTexts());
    EXPECT_EQ(t.MessageTexts().size(), 0u);
    return BankWords(t, 1, count);
}

// ---- PNG decoding with libpng ------------------------------------------

struct SDecodedPng {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    SRgb At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return SRgb{rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

SDecodedPng DecodePng(const std::string& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    SDecodedPng decoded;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return decoded;
    image.format = PNG_FORMAT_RGB;
    decoded.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr))
        return decoded;
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    return decoded;
}

int Luma(const SRgb& c) {
    return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
}

// ---- Tests ---------------------------------------------------------------

TEST(ScreenRenderer, PixelAndLedCells) {
    std::vector<Word> screen(kWordsPerScreen, 0);
    SetDot(screen.data(), 2, 1);
    SetDot(screen.data(), 47, 31);

    const CScreenRenderer pixel(SRenderOptions{ERenderStyle::Pixel, 3});
    ASSERT_EQ(pixel.Width(), 144);
    ASSERT_EQ(pixel.Height(), 96);
    std::vector<std::uint8_t> image(144 * 96, 99);
    pixel.RenderScreen(screen.data(), image.data(), 144);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 144; ++x) {
            const bool lit = (x / 3 == 2 && y / 3 == 1) || (x / 3 == 47 && y / 3 == 31);
            ASSERT_EQ(image[y * 144 + x], lit ? 1 : 0) << x << "," << y;
        }
    }
    EXPECT_EQ(pixel.Palette().size(), 2u);
    EXPECT_EQ(pixel.Palette(true).size(), 3u);

    // LED at 8: a lamp in the cell's top-left 7 x 7 with its corners cut, a
    // one-pixel gap to the right and below; unlit lamps in the third colour.
    const CScreenRenderer led(SRenderOptions{});
    ASSERT_EQ(led.Width(), 384);
    std::vector<std::uint8_t> leds(384 * 256, 99);
    led.RenderScreen(screen.data(), leds.data(), 384);
    const auto at = [&](int column, int row, int x, int y) {
        return leds[(row * 8 + y) * 384 + column * 8 + x];
    };
    EXPECT_EQ(at(2, 1, 3, 3), CScreenRenderer::kLit);
    EXPECT_EQ(at(2, 1, 0, 3), CScreenRenderer::kLit);
    EXPECT_EQ(at(2, 1, 0, 0), CScreenRenderer::kBackground);
    EXPECT_EQ(at(2, 1, 7, 3), CScreenRenderer::kBackground);
    EXPECT_EQ(at(2, 1, 3, 7), CScreenRenderer::kBackground);
    EXPECT_EQ(at(0, 0, 3, 3), 2);
    EXPECT_EQ(at(47, 31, 3, 3), CScreenRenderer::kLit);
    const std::vector<SRgb> palette = led.Palette();
    ASSERT_EQ(palette.size(), 3u);
    // Bright lamps, dim lamps, a dark board.
    EXPECT_GT(Luma(palette[1]), 200);
    EXPECT_LT(Luma(palette[0]), Luma(palette[2]));
    EXPECT_LT(Luma(palette[2]), 80);

    // Scales are held to 1 .. 32.
    EXPECT_EQ(CScreenRenderer(SRenderOptions{ERenderStyle::Led, 0}).Scale(), 1);
    EXPECT_EQ(CScreenRenderer(SRenderOptions{ERenderStyle::Led, 99}).Scale(), 32);
}

TEST(GifExport, LoopsForeverWithDelaysPaletteAndChangedRectangles) {
    // Screen 2 differs from screen 1 in dot (10, 5) and dots (12, 7), screen
    // 3 is screen 2 again.
    std::vector<Word> words(3 * kWordsPerScreen, 0);
    SetDot(words.data(), 0, 0);
    std::copy_n(words.begin(), kWordsPerScreen, words.begin() + kWordsPerScreen);
    SetDot(words.data() + kWordsPerScreen, 10, 5);
    SetDot(words.data() + kWordsPerScreen, 12, 7);
    std::copy_n(words.begin() + kWordsPerScreen, kWordsPerScreen,
                words.begin() + 2 * kWordsPerScreen);

    std::string bytes;
    ASSERT_EQ(EncodeGifAnimation(words.data(), 3, SRenderOptions{}, 250, {}, bytes),
              EEncodeStatus::Done);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    SMemory memory;
    const CGifPtr gif = Slurp(bytes, memory);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 384);
    EXPECT_EQ(gif->SHeight, 256);
    ASSERT_NE(gif->SColorMap, nullptr);
    EXPECT_EQ(gif->SColorMap->ColorCount, 4); // three colours in a table of four
    ASSERT_EQ(gif->ImageCount, 3);

    const GifImageDesc& first = gif->SavedImages[0].ImageDesc;
    EXPECT_EQ(first.Left, 0);
    EXPECT_EQ(first.Width, 384);
    EXPECT_EQ(first.Height, 256);
    const GifImageDesc& second = gif->SavedImages[1].ImageDesc;
    EXPECT_EQ(second.Left, 80);
    EXPECT_EQ(second.Top, 40);
    EXPECT_EQ(second.Width, 24);
    EXPECT_EQ(second.Height, 24);
    const GifImageDesc& third = gif->SavedImages[2].ImageDesc;
    EXPECT_EQ(third.Width * third.Height, 1);

    for (int i = 0; i < 3; ++i) {
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 25);
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
        EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
    }
    // The NETSCAPE2.0 block with loop count 0 before the first image.
    bool loops = false;
    const SavedImage& image = gif->SavedImages[0];
    for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = image.ExtensionBlocks[i];
        const ExtensionBlock& next = image.ExtensionBlocks[i + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 &&
            next.Bytes[0] == 1 && next.Bytes[1] == 0 && next.Bytes[2] == 0)
            loops = true;
    }
    EXPECT_TRUE(loops);

    // Pixel style: two colours; the default delay is 100 ms.
    ASSERT_EQ(EncodeGifAnimation(words.data(), 1, SRenderOptions{ERenderStyle::Pixel, 1},
                                 kDefaultGifDelayMs, {}, bytes),
              EEncodeStatus::Done);
    const CGifPtr pixel = Slurp(bytes, memory);
    ASSERT_TRUE(pixel);
    EXPECT_EQ(pixel->SWidth, 48);
    EXPECT_EQ(pixel->SColorMap->ColorCount, 2);
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(pixel.get(), 0, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 10);
}

TEST(GifExport, DelaysRoundToTheNearestHundredth) {
    std::vector<Word> words(kWordsPerScreen, 0);
    // Milliseconds asked for, hundredths written: halves round up, and
    // what lies outside 20 .. 655350 ms is held to it.
    const std::pair<int, int> delays[] = {
        {125, 13},       {124, 12}, {126, 13},      {135, 14},   {20, 2},
        {25, 3},         {104, 10}, {105, 11},      {1000, 100}, {655345, 65535},
        {655350, 65535}, {1, 2},    {999999, 65535}};
    for (const auto& [ms, hundredths] : delays) {
        std::string bytes;
        ASSERT_EQ(EncodeGifAnimation(words.data(), 1, SRenderOptions{ERenderStyle::Pixel, 1}, ms,
                                     {}, bytes),
                  EEncodeStatus::Done);
        SMemory memory;
        const CGifPtr gif = Slurp(bytes, memory);
        ASSERT_TRUE(gif);
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), 0, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, hundredths) << ms << " ms";
    }
}

TEST(GifExport, ImportsBackToTheSameScreens) {
    const std::vector<Word> words = SampleScreens(9);
    std::string bytes;
    // Pixel style at scale 1, and LED style at every scale up to 12 (8 is
    // the default), come back with the default threshold.
    ASSERT_EQ(
        EncodeGifAnimation(words.data(), 9, SRenderOptions{ERenderStyle::Pixel, 1}, 100, {}, bytes),
        EEncodeStatus::Done);
    EXPECT_EQ(ImportFresh(bytes, 9), words);
    for (int scale = 1; scale <= 12; ++scale) {
        ASSERT_EQ(EncodeGifAnimation(words.data(), 9, SRenderOptions{ERenderStyle::Led, scale}, 100,
                                     {}, bytes),
                  EEncodeStatus::Done);
        EXPECT_EQ(ImportFresh(bytes, 9), words) << "scale " << scale;
    }
}

TEST(GifExport, ProgressCountsScreensAndCancels) {
    const std::vector<Word> words = SampleScreens(6);
    std::vector<int> seen;
    std::string bytes = "old";
    const FProgress stopAtThree = [&](int done, int total) {
        seen.push_back(done);
        EXPECT_EQ(total, 6);
        return done < 3;
    };
    EXPECT_EQ(EncodeGifAnimation(words.data(), 6, SRenderOptions{}, 100, stopAtThree, bytes),
              EEncodeStatus::Cancelled);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(bytes.empty());
}

TEST(GifImport, ComposesDisposalTransparencyAndInterlaceAsAViewer) {
    const std::vector<GifColorType> colours = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}};
    constexpr GifPixelType kBlack = 0, kWhite = 1, kSeeThrough = 2;
    // 1: interlaced, white left of column 24 on rows that are not 1 mod 3.
    STestFrame first = Plain(48, 32, kBlack);
    first.interlaced = true;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 24; ++x)
            if (y % 3 != 1)
                first.pixels[y * 48 + x] = kWhite;
    // 2: 8 x 4 at (20, 10), see-through left half, white right half; then
    // cleared ("restore to background").
    STestFrame second{
        20, 10, 8, 4, std::vector<GifPixelType>(32, kSeeThrough), DISPOSE_BACKGROUND, kSeeThrough};
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            second.pixels[y * 8 + x] = kWhite;
    // 3: one white pixel at (47, 31), taken away again ("restore previous").
    STestFrame third{47, 31, 1, 1, {kWhite}, DISPOSE_PREVIOUS};
    // 4: one white pixel at (46, 31).
    STestFrame fourth{46, 31, 1, 1, {kWhite}};
    const std::string gif = BuildGif(48, 32, colours, {first, second, third, fourth});

    // What a viewer shows, frame by frame.
    std::vector<std::vector<bool>> shown(4, std::vector<bool>(48 * 32, false));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 24; ++x)
            shown[0][y * 48 + x] = y % 3 != 1;
    shown[1] = shown[0];
    for (int y = 10; y < 14; ++y)
        for (int x = 24; x < 28; ++x)
            shown[1][y * 48 + x] = true;
    shown[2] = shown[1];
    for (int y = 10; y < 14; ++y)
        for (int x = 20; x < 28; ++x)
            shown[2][y * 48 + x] = false; // cleared to the (dark) background
    shown[3] = shown[2];
    shown[2][31 * 48 + 47] = true;
    shown[3][31 * 48 + 46] = true;

    const std::vector<Word> screens = ImportFresh(gif, 4);
    for (int n = 0; n < 4; ++n)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 48; ++x)
                EXPECT_EQ(TestDot(screens.data() + n * kWordsPerScreen, x, y), shown[n][y * 48 + x])
                    << "frame " << n + 1 << " dot " << x << "," << y;
}

TEST(GifImport, ThresholdInvertAndFit) {
    const std::vector<GifColorType> colours = {{0, 0, 0}, {255, 255, 255}, {100, 100, 100}};
    const auto count = [](const std::vector<Word>& screen) {
        int lit = 0;
        for (const Word word : screen)
            lit += std::popcount(word);
        return lit;
    };
    // A white picture three times as wide as high: stretched it fills the
    // screen; contained it is 48 x 16 in rows 8 .. 23.
    const std::string wide = BuildGif(96, 32, colours, {Plain(96, 32, 1)});
    EXPECT_EQ(count(ImportFresh(wide, 1)), 48 * 32);
    const std::vector<Word> contained =
        ImportFresh(wide, 1, SDotOptions{128, false, EFit::Contain});
    for (const Word word : contained)
        EXPECT_EQ(word, 0x00FFFF00u);
    // Inverted, white gives nothing, and the border stays unlit as well.
    EXPECT_EQ(count(ImportFresh(wide, 1, SDotOptions{128, true, EFit::Contain})), 0);
    const std::string black = BuildGif(96, 32, colours, {Plain(96, 32, 0)});
    for (const Word word : ImportFresh(black, 1, SDotOptions{128, true, EFit::Contain}))
        EXPECT_EQ(word, 0x00FFFF00u);

    // A grey of luminance 100, against thresholds around it.
    const std::string grey = BuildGif(24, 16, colours, {Plain(24, 16, 2)});
    EXPECT_EQ(count(ImportFresh(grey, 1)), 0);
    EXPECT_EQ(count(ImportFresh(grey, 1, SDotOptions{100})), 48 * 32);
    EXPECT_EQ(count(ImportFresh(grey, 1, SDotOptions{101})), 0);
    EXPECT_EQ(count(ImportFresh(grey, 1, SDotOptions{0})), 48 * 32);
    // Even at threshold 0 a border is no picture: it stays unlit.
    for (const Word word : ImportFresh(wide, 1, SDotOptions{0, false, EFit::Contain}))
        EXPECT_EQ(word, 0x00FFFF00u);

    // A tall picture, contained: 16 of the 48 columns in the middle.
    const std::string tall = BuildGif(10, 20, colours, {Plain(10, 20, 1)});
    const std::vector<Word> narrow = ImportFresh(tall, 1, SDotOptions{128, false, EFit::Contain});
    for (int column = 0; column < 48; ++column)
        EXPECT_EQ(narrow[column], column >= 16 && column < 32 ? 0xFFFFFFFFu : 0u) << column;
}

TEST(GifImport, WritesFromTheCurrentScreenAndGrowsTheBank) {
    CTestSession t;
    LoadBank(t, SampleScreens(10));
    const std::vector<Word> before = BankWords(t, 1, 800);
    GoToScreen(t.view, 5);
    const std::vector<Word> frames = SampleScreens(8);
    std::string gif;
    ASSERT_EQ(EncodeGifAnimation(frames.data(), 8, SRenderOptions{}, 100, {}, gif),
              EEncodeStatus::Done);

    ASSERT_TRUE(ImportGif(t.view, gif, SDotOptions{}));
    EXPECT_EQ(BankWords(t, 5, 8), frames);
    EXPECT_EQ(BankWords(t, 1, 4), std::vector<Word>(before.begin(), before.begin() + 4 * 48));
    EXPECT_EQ(BankWords(t, 13, 788), std::vector<Word>(before.begin() + 12 * 48, before.end()));
    EXPECT_EQ(t.s().m_screenCount[0], 12);
    EXPECT_EQ(t.s().m_displayedCount[0], 12);
    EXPECT_EQ(t.s().m_currentScreen, 5);
    EXPECT_EQ(t.s().m_form.screenCounts[0], "12");
    EXPECT_EQ(t.platform.scrollMax, 12);
    EXPECT_TRUE(t.doc.IsModified());
    // Not a macro step.
    EXPECT_EQ(t.s().m_macroCode, "");

    // A shorter GIF inside the bank keeps the count.
    GoToScreen(t.view, 2);
    const std::string one = BuildGif(48, 32, {{0, 0, 0}, {255, 255, 255}}, {Plain(48, 32, 1)});
    ASSERT_TRUE(ImportGif(t.view, one, SDotOptions{}));
    EXPECT_EQ(t.s().m_screenCount[0], 12);
    EXPECT_EQ(BankWords(t, 2, 1), std::vector<Word>(48, 0xFFFFFFFFu));
}

TEST(GifImport, RefusalsChangeNothing) {
    const std::vector<Word> frames = SampleScreens(40);
    std::string gif;
    ASSERT_EQ(
        EncodeGifAnimation(frames.data(), 40, SRenderOptions{ERenderStyle::Pixel, 1}, 100, {}, gif),
        EEncodeStatus::Done);
    const auto refused = [&](const std::string& bytes, int screen, const std::string& message) {
        CTestSession t;
        LoadBank(t, SampleScreens(800));
        GoToScreen(t.view, screen);
        const std::vector<Word> before = BankWords(t, 1, 800);
        EXPECT_FALSE(ImportGif(t.view, bytes, SDotOptions{}));
        EXPECT_EQ(t.MessageTexts(), std::vector<std::string>{message});
        if (!t.platform.messages.empty()) {
            EXPECT_EQ(t.platform.messages[0].caption, "エラー発生！");
        }
        EXPECT_TRUE(BankWords(t, 1, 800) == before);
        EXPECT_EQ(t.s().m_screenCount[0], 800);
        EXPECT_EQ(t.s().m_currentScreen, screen);
        EXPECT_FALSE(t.doc.IsModified());
    };
    // 40 frames from screen 770 would end at 809.
    refused(gif, 770, "スクリーン枚数がオーバーしました。");
    refused(gif, 762, "スクリーン枚数がオーバーしました。");
    refused(gif.substr(0, gif.size() / 2), 1, kDamagedGifText);
    refused(gif.substr(0, gif.size() - 1), 1, kDamagedGifText);
    refused(gif.substr(0, 9), 1, kDamagedGifText);
    refused("GIF? not really", 1, kNotGifText);
    refused("\x89PNG\r\n\x1a\n", 1, kNotGifText);
    refused("", 1, kNotGifText);
    refused(BuildGif(48, 32, {{0, 0, 0}, {255, 255, 255}}, {}), 1, kEmptyGifText);
    // A logical screen of 65535 x 65535 is more than the import takes on.
    std::string huge = BuildGif(48, 32, {{0, 0, 0}, {255, 255, 255}}, {Plain(1, 1, 1)});
    huge[6] = huge[7] = huge[8] = huge[9] = '\xFF';
    refused(huge, 1, kLargeGifText);

    // 40 frames from screen 761 end at 800: they fit.
    CTestSession t;
    LoadBank(t, SampleScreens(761));
    GoToScreen(t.view, 761);
    ASSERT_TRUE(ImportGif(t.view, gif, SDotOptions{}));
    EXPECT_EQ(t.s().m_screenCount[0], 800);
    EXPECT_EQ(BankWords(t, 761, 40), frames);
}

TEST(GifImport, ALongOrHeavyGifIsRefusedBeforeAnyFrameIsConverted) {
    const std::vector<GifColorType> colours = {{0, 0, 0}, {255, 255, 255}};
    // 800 one-pixel frames on a 4096 x 4096 picture: a small file, but
    // every frame is the whole picture to compose and convert.
    const std::string heavy =
        BuildGif(4096, 4096, colours, std::vector<STestFrame>(800, Plain(1, 1, 1)));
    EXPECT_LT(heavy.size(), 20000u);
    // 801 frames never fit, 761 .. 800 frames fit only low enough.
    const std::string long801 =
        BuildGif(48, 32, colours, std::vector<STestFrame>(801, Plain(1, 1, 1)));
    const std::string long40 =
        BuildGif(48, 32, colours, std::vector<STestFrame>(40, Plain(1, 1, 1)));
    struct SCase {
        const std::string* gif;
        int screen;
        const char* message; // nullptr: imported
    };
    const SCase cases[] = {
        {&heavy, 1, kLargeGifText},
        {&long801, 1, "スクリーン枚数がオーバーしました。"},
        {&long40, 762, "スクリーン枚数がオーバーしました。"},
        {&long40, 761, nullptr},
    };
    for (const SCase& c : cases) {
        CTestSession t;
        LoadBank(t, SampleScreens(c.screen));
        GoToScreen(t.view, c.screen);
        const std::vector<Word> before = BankWords(t, 1, 800);
        EXPECT_EQ(CheckGifImport(t.view, *c.gif), c.message == nullptr);
        int frames = 0;
        const bool imported = ImportGif(t.view, *c.gif, SDotOptions{}, [&](int, int) {
            ++frames;
            return true;
        });
        if (c.message == nullptr) {
            EXPECT_TRUE(imported);
            EXPECT_EQ(frames, 40);
            EXPECT_TRUE(t.MessageTexts().empty());
            continue;
        }
        EXPECT_FALSE(imported);
        EXPECT_EQ(frames, 0) << "frames were converted before the refusal";
        EXPECT_EQ(t.MessageTexts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_TRUE(BankWords(t, 1, 800) == before);
        EXPECT_FALSE(t.doc.IsModified());
    }

    // The outline of a GIF, read without decoding it.
    SGifOutline outline;
    ASSERT_EQ(ScanGif(long40, 800, outline), EGifReadError::None);
    EXPECT_EQ(outline.frames, 40);
    EXPECT_EQ(outline.width, 48);
    EXPECT_EQ(outline.height, 32);
    EXPECT_EQ(outline.work, 40 * (1 + 48 * 32));
    ASSERT_EQ(ScanGif(long801, 10, outline), EGifReadError::None);
    EXPECT_EQ(outline.frames, 11);
    EXPECT_EQ(ScanGif(heavy, 800, outline), EGifReadError::TooLarge);
    // A few frames of the largest picture are still taken.
    const std::string big =
        BuildGif(4096, 4096, colours, std::vector<STestFrame>(3, Plain(1, 1, 1)));
    EXPECT_EQ(ScanGif(big, 800, outline), EGifReadError::None);
    EXPECT_EQ(ImportFresh(big, 1), std::vector<Word>(48, 0));
}

TEST(GifImport, FilesAndCancel) {
    CTestSession t;
    CTempDir dir;
    const std::vector<Word> frames = SampleScreens(3);
    std::string gif;
    ASSERT_EQ(EncodeGifAnimation(frames.data(), 3, SRenderOptions{}, 100, {}, gif),
              EEncodeStatus::Done);
    WriteBytes(dir.Path("anim.gif"), gif);

    // A cancelled import changes nothing and says nothing.
    const std::vector<Word> before = BankWords(t, 1, 10);
    EXPECT_FALSE(
        ImportGifFile(t.view, dir.Path("anim.gif"), SDotOptions{}, [](int, int) { return false; }));
    EXPECT_EQ(BankWords(t, 1, 10), before);
    EXPECT_TRUE(t.MessageTexts().empty());
    EXPECT_FALSE(t.doc.IsModified());

    int calls = 0;
    EXPECT_TRUE(
        ImportGifFile(t.view, dir.Path("anim.gif"), SDotOptions{}, [&](int done, int total) {
            ++calls;
            EXPECT_LE(done, total);
            EXPECT_EQ(total, static_cast<int>(gif.size()));
            return true;
        }));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(BankWords(t, 1, 3), frames);

    EXPECT_FALSE(ImportGifFile(t.view, dir.Path("missing.gif"), SDotOptions{}));
    EXPECT_EQ(t.MessageTexts().back(), dir.Path("missing.gif") + " が見つかりません。");

    // The preview's first frame.
    SGreyImage image;
    ASSERT_TRUE(FirstGifFrame(t.platform, gif, image));
    EXPECT_EQ(image.width, 384);
    EXPECT_EQ(image.height, 256);
    EXPECT_FALSE(FirstGifFrame(t.platform, "nothing", image));
    EXPECT_EQ(t.MessageTexts().back(), kNotGifText);
}

TEST(PngExport, OneScreenAndContactSheet) {
    std::vector<Word> words(3 * kWordsPerScreen, 0);
    SetDot(words.data(), 0, 0);                       // screen 1
    SetDot(words.data() + kWordsPerScreen, 47, 31);   // screen 2
    SetDot(words.data() + 2 * kWordsPerScreen, 5, 6); // screen 3
    const SRgb black{0, 0, 0}, white{255, 255, 255};

    std::string bytes;
    ASSERT_EQ(
        EncodePngSheet(words.data(), 1, SRenderOptions{ERenderStyle::Pixel, 2}, 10, {}, bytes),
        EEncodeStatus::Done);
    SDecodedPng png = DecodePng(bytes);
    ASSERT_EQ(png.width, 96);
    ASSERT_EQ(png.height, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(png.At(x, y), x < 2 && y < 2 ? white : black) << x << "," << y;

    // Two columns: screens 1 and 2 side by side one dot apart, screen 3
    // below screen 1, the gap colour between and where screen 4 would be.
    ASSERT_EQ(EncodePngSheet(words.data(), 3, SRenderOptions{ERenderStyle::Pixel, 1}, 2, {}, bytes),
              EEncodeStatus::Done);
    png = DecodePng(bytes);
    ASSERT_EQ(png.width, 97);
    ASSERT_EQ(png.height, 65);
    const SRgb gap = png.At(48, 0);
    EXPECT_NE(gap, black);
    EXPECT_NE(gap, white);
    for (int y = 0; y < 65; ++y) {
        for (int x = 0; x < 97; ++x) {
            SRgb expected = black;
            if (x == 48 || y == 32 || (x > 48 && y > 32))
                expected = gap;
            else if ((x == 0 && y == 0) || (x == 49 + 47 && y == 31) || (x == 5 && y == 33 + 6))
                expected = white;
            ASSERT_EQ(png.At(x, y), expected) << x << "," << y;
        }
    }

    // LED style: the lit lamp is bright, the unlit ones dim, the board dark.
    ASSERT_EQ(EncodePngSheet(words.data(), 1, SRenderOptions{}, 10, {}, bytes),
              EEncodeStatus::Done);
    png = DecodePng(bytes);
    ASSERT_EQ(png.width, 384);
    EXPECT_GT(Luma(png.At(3, 3)), 200);
    EXPECT_LT(Luma(png.At(11, 3)), 80);
    EXPECT_LT(Luma(png.At(7, 7)), Luma(png.At(11, 3)));

    // libpng writes no side beyond a million pixels: such a sheet fails
    // before anything is drawn.
    EXPECT_TRUE(SheetFits(SheetSize(800, SRenderOptions{ERenderStyle::Led, 32}, 637)));
    EXPECT_FALSE(SheetFits(SheetSize(800, SRenderOptions{ERenderStyle::Led, 32}, 638)));
    const std::vector<Word> bank(800 * kWordsPerScreen, 0);
    EXPECT_EQ(
        EncodePngSheet(bank.data(), 800, SRenderOptions{ERenderStyle::Led, 32}, 638, {}, bytes),
        EEncodeStatus::Failed);
    EXPECT_TRUE(bytes.empty());

    // Columns beyond the screens shrink to them.
    const SSheetSize size = SheetSize(3, SRenderOptions{ERenderStyle::Pixel, 1}, 10);
    EXPECT_EQ(size.columns, 3);
    EXPECT_EQ(size.width, 3 * 48 + 2);
    EXPECT_EQ(size.height, 32);
}

// Runs `command` (its stderr joined to stdout) and returns whether it
// succeeded; `out` gets what it printed.
bool RunCommand(const std::string& command, std::string& out) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    out.clear();
    if (pipe == nullptr)
        return false;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return ::pclose(pipe) == 0;
}

// The hex values a program prints for the arrays, one a line.
std::string HexLines(const std::vector<unsigned>& values) {
    std::string text;
    char line[32];
    for (const unsigned value : values) {
        std::snprintf(line, sizeof line, "%x\n", value);
        text += line;
    }
    return text;
}

TEST(CSourceExport, RawRowsAndColumnsKeepTheirBytes) {
    CTestSession t;
    CTempDir dir;
    std::vector<Word> words(2 * kWordsPerScreen, 0);
    SetDot(words.data(), 0, 0);
    SetDot(words.data() + kWordsPerScreen, 9, 1);
    SetDot(words.data() + kWordsPerScreen, 47, 31);
    SetDot(words.data() + kWordsPerScreen, 16, 31);
    LoadBank(t, words);

    // The bytes rows and columns have always had, built dot by dot.
    std::string rows(2 * 192, '\0'), columns(2 * 192, '\0');
    for (int n = 0; n < 2; ++n)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 48; ++x)
                if (TestDot(words.data() + n * 48, x, y)) {
                    rows[n * 192 + y * 6 + x / 8] |= static_cast<char>(0x80u >> (x % 8));
                    columns[n * 192 + x * 4 + (31 - y) / 8] |=
                        static_cast<char>(1u << (31 - y) % 8);
                }
    EXPECT_EQ(rows[192 + 7], '\x40');
    EXPECT_EQ(columns.substr(0, 4), std::string("\x00\x00\x00\x80", 4));
    SExportOptions options = DefaultExportOptions(t.s(), EExportFormat::Binary);
    ASSERT_EQ(ExportScreens(t.view, dir.Path("rows.bin"), options), EExportResult::Written);
    EXPECT_EQ(ReadBytes(dir.Path("rows.bin")), rows);
    options.layout = EDotLayout::Columns;
    // A wiring counts for nothing but the strip layout.
    options.wiring = {EWiringOrigin::BottomRight, EWiringScan::Columns, true};
    ASSERT_EQ(ExportScreens(t.view, dir.Path("columns.bin"), options), EExportResult::Written);
    EXPECT_EQ(ReadBytes(dir.Path("columns.bin")), columns);
}

TEST(CSourceExport, HeadersAndDefinitionsLinkFromTwoFilesAsCAndCpp) {
    std::string out;
    if (!RunCommand("cc --version", out) || !RunCommand("c++ --version", out))
        GTEST_SKIP() << "no C or C++ compiler";
    std::vector<Word> words(2 * kWordsPerScreen, 0);
    SetDot(words.data(), 0, 0);
    SetDot(words.data() + kWordsPerScreen, 9, 1);
    SetDot(words.data() + kWordsPerScreen, 47, 31);

    struct SCase {
        EDotLayout layout;
        bool progmem;
    };
    const SCase cases[] = {{EDotLayout::Rows, false},
                           {EDotLayout::Columns, true},
                           {EDotLayout::Strip, true},
                           {EDotLayout::Pages, false}};
    const std::string compilers[] = {"cc -std=c99", "c++ -x c++ -std=c++17"};
    const std::string flags = " -Wall -Wextra -Werror -pedantic ";
    CTempDir dir;
    const auto file = [&](const char* name) { return " " + dir.Path(name); };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(LayoutName(c.layout)) + (c.progmem ? " PROGMEM" : ""));
        SCSourceOptions options;
        options.layout = c.layout;
        options.wiring = {EWiringOrigin::BottomLeft, EWiringScan::Columns, true};
        options.progmem = c.progmem;
        // What a program printing the arrays should print.
        std::vector<unsigned> values;
        if (c.layout == EDotLayout::Columns) {
            values.assign(words.begin(), words.end());
        } else {
            const std::string packed = PackScreens(words.data(), 2, c.layout, options.wiring);
            for (const char byte : packed)
                values.push_back(static_cast<unsigned char>(byte));
        }
        const std::string printBody =
            "    for (int n = 0; n < FRAMES; ++n)\n"
            "        for (unsigned i = 0; i < sizeof anim[0] / sizeof "
            "anim[0][0]; ++i)\n"
            "            printf(\"%lx\\n\", (unsigned long)anim[n][i]);\n";

        // The header: included twice by one file, by a second file that
        // uses it and by a third that does not, with no warning.
        const std::string header = EncodeCSource(words.data(), 2, options, "anim");
        EXPECT_NE(header.find("static const "), std::string::npos) << header;
        WriteBytes(dir.Path("anim.h"), header);
        WriteBytes(dir.Path("main.c"),
                   "#include <stdio.h>\n#include \"anim.h\"\n#include "
                   "\"anim.h\"\n#define FRAMES anim_FRAMES\n"
                   "int other(void);\n"
                   "int main(void) {\n"
                   "    printf(\"%d %d %d %d %d\\n\", anim_FRAMES, "
                   "anim_WIDTH, anim_HEIGHT, anim_BYTES_PER_FRAME, other());\n" +
                       printBody + "    return 0;\n}\n");
        WriteBytes(dir.Path("other.c"), "#include \"anim.h\"\nint other(void);\n"
                                        "int other(void) { return (int)sizeof anim; }\n");
        WriteBytes(dir.Path("unused.c"), "#include \"anim.h\"\nint unused(void);\n"
                                         "int unused(void) { return anim_FRAMES; }\n");
        const std::string expected = "2 48 32 192 384\n" + HexLines(values);
        for (const std::string& compiler : compilers) {
            const std::string command = compiler + flags + "-o" + file("check") + file("main.c") +
                                        file("other.c") + file("unused.c");
            ASSERT_TRUE(RunCommand(command, out)) << command << "\n" << out << "\n" << header;
            ASSERT_TRUE(RunCommand(dir.Path("check"), out));
            EXPECT_EQ(out, expected) << compiler;
        }

        // The definition, and a file using it through the declaration its
        // comment gives.
        options.kind = ECSourceKind::Definition;
        const std::string definition = EncodeCSource(words.data(), 2, options, "anim");
        const size_t start = definition.find(" *     extern const ");
        ASSERT_NE(start, std::string::npos) << definition;
        const std::string declaration =
            definition.substr(start + 7, definition.find('\n', start) - start - 7);
        EXPECT_EQ(definition.find("#define"),
                  c.progmem ? definition.find("#define PROGMEM") : std::string::npos);
        WriteBytes(dir.Path("anim.c"), definition);
        WriteBytes(dir.Path("use.c"), std::string("#include <stdio.h>\n#include <stdint.h>\n") +
                                          (c.progmem ? "#define PROGMEM\n" : "") + declaration +
                                          "\n#define FRAMES 2\nint main(void) {\n" + printBody +
                                          "    return 0;\n}\n");
        for (const std::string& compiler : compilers) {
            const std::string command =
                compiler + flags + "-o" + file("check") + file("use.c") + file("anim.c");
            ASSERT_TRUE(RunCommand(command, out)) << command << "\n" << out << "\n" << definition;
            ASSERT_TRUE(RunCommand(dir.Path("check"), out));
            EXPECT_EQ(out, HexLines(values)) << compiler;
        }
    }

    // PROGMEM: on AVR it comes from <avr/pgmspace.h> (a stand-in here that
    // moves the arrays into a section of their own); a PROGMEM the program
    // defined itself is kept.
    std::filesystem::create_directories(dir.Path("avr"));
    WriteBytes(dir.Path("avr/pgmspace.h"),
               "#define PROGMEM __attribute__((section(\".progmem.data\")))\n");
    SCSourceOptions progmem;
    progmem.progmem = true;
    WriteBytes(dir.Path("anim.h"), EncodeCSource(words.data(), 2, progmem, "anim"));
    WriteBytes(dir.Path("one.c"), "#include \"anim.h\"\nint main(void) { return anim[0][0] != "
                                  "0x80; }\n");
    for (const std::string& compiler : compilers) {
        for (const std::string& defines : {"-D__AVR__ -I" + dir.Dir().string(),
                                           std::string("'-DPROGMEM=__attribute__((used))'")}) {
            const std::string command =
                compiler + flags + defines + " -o" + file("check") + file("one.c");
            ASSERT_TRUE(RunCommand(command, out)) << command << "\n" << out;
            ASSERT_TRUE(RunCommand(dir.Path("check"), out)) << command;
            if (defines.find("__AVR__") != std::string::npos) {
                ASSERT_TRUE(RunCommand("objdump -h" + file("check"), out));
                EXPECT_NE(out.find(".progmem.data"), std::string::npos) << compiler;
            }
        }
    }
}

TEST(CSourceExport, Identifiers) {
    EXPECT_EQ(CIdentifierFromPath("frames.h"), "frames");
    EXPECT_EQ(CIdentifierFromPath("/tmp/out/my-anim.v2.h"), "my_anim_v2");
    EXPECT_EQ(CIdentifierFromPath("8x8.c"), "frames_8x8");
    EXPECT_EQ(CIdentifierFromPath("int.h"), "int_");
    EXPECT_EQ(CIdentifierFromPath("アニメ.h"), "frames");
    EXPECT_EQ(CIdentifierFromPath("sign アニメ 2.h"), "sign_2");
    EXPECT_EQ(CIdentifierFromPath("-.h"), "frames");
    for (const char* good : {"a", "_x", "Frame_01", "int8", "uint16", "INT8_MAX_", "sizes", "Int8",
                             "int8_", "frames_STDINT", "INT8_"})
        EXPECT_TRUE(IsCIdentifier(good)) << good;
    // Keywords, what <stdint.h> defines, what the compiler keeps, and
    // names whose macros <stdint.h> defines (INT8_WIDTH, SIZE_WIDTH).
    for (const char* bad : {"",
                            "1a",
                            "a b",
                            "a-b",
                            "int",
                            "class",
                            "é",
                            "uint8_t",
                            "uint16_t",
                            "int_fast32_t",
                            "uintmax_t",
                            "intptr_t",
                            "INT8_MAX",
                            "UINT64_MAX",
                            "INT_LEAST16_MIN",
                            "UINTPTR_MAX",
                            "INT64_C",
                            "UINTMAX_C",
                            "SIZE_MAX",
                            "PTRDIFF_MIN",
                            "SIG_ATOMIC_MAX",
                            "WCHAR_MAX",
                            "WINT_MIN",
                            "INT8_WIDTH",
                            "linux",
                            "unix",
                            "_Foo",
                            "__x",
                            "_STDINT",
                            "INT8",
                            "SIZE",
                            "UINTPTR",
                            "INT_FAST64",
                            "WCHAR"})
        EXPECT_FALSE(IsCIdentifier(bad)) << bad;
    // Names of files that are taken make a free one.
    EXPECT_EQ(CIdentifierFromPath("uint16_t.h"), "uint16_t_");
    EXPECT_EQ(CIdentifierFromPath("SIZE_MAX.h"), "SIZE_MAX_");
    EXPECT_EQ(CIdentifierFromPath("INT8.h"), "INT8_");
    EXPECT_EQ(CIdentifierFromPath("linux.h"), "linux_");
    EXPECT_EQ(CIdentifierFromPath("_STDINT.h"), "frames_STDINT");
    EXPECT_EQ(CIdentifierFromPath("__x.h"), "_x");
}

TEST(CSourceExport, HeadersNamedAfterTakenNamesCompile) {
    std::string out;
    if (!RunCommand("cc --version", out))
        GTEST_SKIP() << "no C compiler";
    std::vector<Word> words(kWordsPerScreen, 0);
    CTempDir dir;
    // GNU C with C23's width macros, where linux and INT8_WIDTH are
    // defined, and C++.
    for (const char* file : {"uint16_t.h", "INT8_MAX.h", "SIZE_MAX.h", "INT8.h", "_STDINT.h",
                             "linux.h", "int.h", "WCHAR.h"}) {
        const std::string ident = CIdentifierFromPath(file);
        WriteBytes(dir.Path("frames.h"), EncodeCSource(words.data(), 1, {}, ident));
        WriteBytes(dir.Path("main.c"), "#include <stdint.h>\n#include \"frames.h\"\n"
                                       "int main(void) { return " +
                                           ident + "[0][0] + " + ident + "_FRAMES - 1; }\n");
        for (const std::string compiler : {"cc -std=gnu2x", "c++ -x c++ -std=gnu++17"}) {
            const std::string command = compiler + " -Wall -Wextra -Werror -o " +
                                        dir.Path("check") + " " + dir.Path("main.c");
            EXPECT_TRUE(RunCommand(command, out)) << file << ": " << command << "\n" << out;
        }
    }
}

TEST(ScreenExport, WritesTheRangeOfTheBankOnDisplay) {
    CTestSession t;
    CTempDir dir;
    const std::vector<Word> words = SampleScreens(12);
    LoadBank(t, words);
    EXPECT_EQ(ExportFormatOfPath("a/b.GIF"), EExportFormat::Gif);
    EXPECT_EQ(ExportFormatOfPath("b.png"), EExportFormat::Png);
    EXPECT_EQ(ExportFormatOfPath("b.h"), EExportFormat::CSource);
    EXPECT_EQ(ExportFormatOfPath("b.C"), EExportFormat::CSource);
    EXPECT_EQ(ExportFormatOfPath("b.bin"), EExportFormat::Binary);
    EXPECT_EQ(ExportFormatOfPath("b.Xbm"), EExportFormat::Xbm);
    EXPECT_EQ(ExportFormatOfPath("b.qvl"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath("gif"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath("dir.gif/b"), std::nullopt);

    const SExportOptions all = DefaultExportOptions(t.s(), EExportFormat::Binary);
    EXPECT_EQ(all.from, 1);
    EXPECT_EQ(all.to, 12);
    SExportOptions options = all;
    options.from = 3;
    options.to = 5;
    options.layout = EDotLayout::Columns;
    ASSERT_EQ(ExportScreens(t.view, dir.Path("range.bin"), options), EExportResult::Written);
    // The columns layout is the animation file's own bytes.
    std::string expected;
    for (size_t i = 2 * 48; i < 5 * 48; ++i)
        for (int shift = 0; shift < 32; shift += 8)
            expected += static_cast<char>((words[i] >> shift) & 0xFF);
    EXPECT_EQ(ReadBytes(dir.Path("range.bin")), expected);

    // Round trip through a GIF file of the range.
    options.format = EExportFormat::Gif;
    ASSERT_EQ(ExportScreens(t.view, dir.Path("range.gif"), options), EExportResult::Written);
    EXPECT_EQ(ImportFresh(ReadBytes(dir.Path("range.gif")), 3),
              std::vector<Word>(words.begin() + 2 * 48, words.begin() + 5 * 48));

    // The C name comes from the file unless given.
    options.format = EExportFormat::CSource;
    ASSERT_EQ(ExportScreens(t.view, dir.Path("my sign.h"), options), EExportResult::Written);
    EXPECT_NE(ReadBytes(dir.Path("my sign.h")).find("my_sign[my_sign_FRAMES][48]"),
              std::string::npos);
    options.name = "logo";
    ASSERT_EQ(ExportScreens(t.view, dir.Path("my sign.h"), options), EExportResult::Written);
    EXPECT_NE(ReadBytes(dir.Path("my sign.h")).find("#define logo_FRAMES 3\n"), std::string::npos);

    // An X11 bitmap holds the first screen of the range, whatever the
    // layout: screen 2 lights (0, 0) and (47, 31), the low bit of byte 0
    // and the high bit of byte 191.
    options.format = EExportFormat::Xbm;
    options.from = 2;
    options.layout = EDotLayout::Strip;
    options.name.clear();
    ASSERT_EQ(ExportScreens(t.view, dir.Path("first.xbm"), options), EExportResult::Written);
    const std::string xbm = ReadBytes(dir.Path("first.xbm"));
    EXPECT_EQ(xbm.find("#define first_width 48\n#define first_height 32\n"
                       "static unsigned char first_bits[] = {\n   0x01, 0x00,"),
              0u)
        << xbm;
    EXPECT_NE(xbm.find(" 0x00, 0x80};\n"), std::string::npos) << xbm;
    EXPECT_TRUE(t.MessageTexts().empty());
    EXPECT_FALSE(t.doc.IsModified());
}

TEST(ScreenExport, RefusalsAndCancelLeaveNoFile) {
    CTestSession t;
    CTempDir dir;
    LoadBank(t, SampleScreens(12));
    const std::string path = dir.Path("out.gif");
    SExportOptions options = DefaultExportOptions(t.s(), EExportFormat::Gif);
    const auto refused = [&](const SExportOptions& bad, const char* message) {
        const size_t before = t.MessageTexts().size();
        EXPECT_EQ(ExportScreens(t.view, path, bad), EExportResult::Failed);
        ASSERT_EQ(t.MessageTexts().size(), before + 1);
        EXPECT_EQ(t.MessageTexts().back(), message);
        EXPECT_FALSE(std::filesystem::exists(path));
    };
    SExportOptions bad = options;
    bad.to = 13;
    refused(bad, kBadRangeText);
    bad = options;
    bad.from = 0;
    refused(bad, kBadRangeText);
    bad = options;
    bad.from = 6;
    bad.to = 5;
    refused(bad, kBadRangeText);
    bad = options;
    bad.format = EExportFormat::CSource;
    bad.name = "two words";
    refused(bad, kBadNameText);
    bad.name = "uint16_t";
    refused(bad, kBadNameText);
    bad.format = EExportFormat::Xbm;
    refused(bad, kBadNameText);
    bad = options;
    bad.format = EExportFormat::Png;
    bad.render.scale = 32;
    bad.columns = 12;
    EXPECT_EQ(ExportScreens(t.view, path, bad), EExportResult::Written);
    std::filesystem::remove(path);

    // Cancelled part way: no file, and an old one stays as it was.
    EXPECT_EQ(ExportScreens(t.view, path, options, [](int done, int) { return done < 4; }),
              EExportResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(path));
    WriteBytes(path, "old");
    for (const EExportFormat format :
         {EExportFormat::Gif, EExportFormat::Png, EExportFormat::CSource, EExportFormat::Binary}) {
        options.format = format;
        EXPECT_EQ(ExportScreens(t.view, path, options, [](int, int) { return false; }),
                  EExportResult::Cancelled);
        EXPECT_EQ(ReadBytes(path), "old");
    }

    // A folder that does not exist: the file message.
    EXPECT_EQ(ExportScreens(t.view, dir.Path("no/such.gif"), options), EExportResult::Failed);
    EXPECT_NE(t.MessageTexts().back().find("no/such.gif"), std::string::npos);

    // A sheet wider than a PNG may be: refused before anything is drawn.
    std::filesystem::remove(path);
    LoadBank(t, SampleScreens(800));
    bad = DefaultExportOptions(t.s(), EExportFormat::Png);
    bad.render.scale = 32;
    bad.columns = 638;
    int drawn = 0;
    EXPECT_EQ(ExportScreens(t.view, path, bad, [&](int, int) { return ++drawn, true; }),
              EExportResult::Failed);
    EXPECT_EQ(t.MessageTexts().back(), kSheetTooWideText);
    EXPECT_EQ(drawn, 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    // An empty bank has nothing to write.
    t.s().m_screenCount[0] = 0;
    refused(options, kNothingToExportText);
}

TEST(ScreenExport, SaveDialogProposesTheDocumentNameWithTheFormatsExtension) {
    const CFileDialogInfo gif = ExportSaveDialog(EExportFormat::Gif, "demo.qvl");
    EXPECT_EQ(gif.title, "GIFアニメ保存");
    EXPECT_EQ(gif.defaultExtension, "gif");
    EXPECT_EQ(gif.initialName, "demo.gif");
    EXPECT_EQ(ExportSaveDialog(EExportFormat::Png, "a.b.qvl").initialName, "a.b.png");
    // A name that only starts with a dot has no extension to replace.
    EXPECT_EQ(ExportSaveDialog(EExportFormat::Png, ".qvl").initialName, ".qvl.png");
    const CFileDialogInfo source = ExportSaveDialog(EExportFormat::CSource, "無題");
    EXPECT_EQ(source.title, "Cソース保存");
    EXPECT_EQ(source.initialName, "無題.h");
    EXPECT_NE(source.filter.find("*.bin"), std::string::npos);
    EXPECT_NE(source.filter.find("X11 ﾋﾞｯﾄﾏｯﾌﾟ (*.xbm)|*.xbm|"), std::string::npos);

    // In a folder: that of the document's file, or for a document never
    // saved that of the last export while it is there.
    CTempDir dir;
    const std::string last = dir.Dir().string();
    EXPECT_EQ(ExportSaveDialog(EExportFormat::Gif, "demo.qvl", "/signs").initialName,
              "/signs/demo.gif");
    EXPECT_EQ(ExportSaveDialog(EExportFormat::Gif, "demo.qvl", "/").initialName, "/demo.gif");
    EXPECT_EQ(ExportStartFolder("/signs/demo.qvl", last), "/signs");
    EXPECT_EQ(ExportStartFolder("/demo.qvl", last), "/");
    EXPECT_EQ(ExportStartFolder("demo.qvl", last), "");
    EXPECT_EQ(ExportStartFolder("", last), last);
    EXPECT_EQ(ExportStartFolder("", last + "/gone"), "");
    EXPECT_EQ(ExportStartFolder("", ""), "");

    // The dialogs carry the menu texts without their dots.
    const std::pair<EExportFormat, int> commands[] = {{EExportFormat::Gif, ID_EXPORT_GIF},
                                                      {EExportFormat::Png, ID_EXPORT_PNG},
                                                      {EExportFormat::CSource, ID_EXPORT_CSOURCE},
                                                      {EExportFormat::Binary, ID_EXPORT_CSOURCE},
                                                      {EExportFormat::Xbm, ID_EXPORT_CSOURCE}};
    for (const auto& [format, id] : commands) {
        ASSERT_NE(FindCommandText(id), nullptr);
        EXPECT_EQ(std::string(ExportTitle(format)) + "...", FindCommandText(id)->text);
    }

    // Only the C source dialog turns into raw bytes, by a .bin name.
    EXPECT_EQ(ExportFormatOfChoice(EExportFormat::CSource, "x.BIN"), EExportFormat::Binary);
    EXPECT_EQ(ExportFormatOfChoice(EExportFormat::CSource, "x.c"), EExportFormat::CSource);
    EXPECT_EQ(ExportFormatOfChoice(EExportFormat::CSource, "x.xbm"), EExportFormat::Xbm);
    EXPECT_EQ(ExportFormatOfChoice(EExportFormat::CSource, "x.gif"), EExportFormat::CSource);
    EXPECT_EQ(ExportFormatOfChoice(EExportFormat::CSource, "x"), EExportFormat::CSource);
    EXPECT_EQ(ExportFormatOfChoice(EExportFormat::Gif, "x.bin"), EExportFormat::Gif);
}

TEST(ExchangeCommands, AreTheWindowsBelowASeparatorAtTheEndOfTools) {
    const std::vector<int> ids = {ID_EXPORT_GIF, ID_EXPORT_PNG, ID_EXPORT_CSOURCE, ID_IMPORT_GIF};
    const std::vector<std::string> texts = {"GIFアニメ保存...", "PNG保存...", "Cソース保存...",
                                            "GIFアニメ取込..."};
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_TRUE(IsFrameCommand(ids[i]));
        EXPECT_FALSE(CDispatcher::HandlesCommand(ids[i]));
        ASSERT_NE(FindCommandText(ids[i]), nullptr);
        EXPECT_EQ(std::string(FindCommandText(ids[i])->text), texts[i]);
    }
    // The Tools popup: the two bitmap commands, a separator, the four, and
    // below another separator the scrolling text, below a third the two of
    // live output, and below a fourth the drawing tools' popup (its entries
    // up to its end).
    const std::span<const SMenuEntry> menu = MenuBar();
    auto tools = menu.begin();
    while (tools != menu.end() &&
           !(tools->kind == EMenuEntry::Popup && std::string(tools->text) == "ﾂｰﾙ(&T)"))
        ++tools;
    ASSERT_NE(tools, menu.end());
    std::vector<int> entries;
    for (auto it = tools + 1; it != menu.end() && it->kind != EMenuEntry::End; ++it)
        entries.push_back(it->kind == EMenuEntry::Separator ? 0
                          : it->kind == EMenuEntry::Popup   ? -1
                                                            : it->id);
    const int popup = -1;
    EXPECT_EQ(entries,
              (std::vector<int>{ID_BITMAP_IMPORT, ID_BITMAP_SAVE, 0, ID_EXPORT_GIF, ID_EXPORT_PNG,
                                ID_EXPORT_CSOURCE, ID_IMPORT_GIF, 0, ID_TEXT_SCROLL, 0,
                                ID_OUTPUT_SETTINGS, ID_OUTPUT_LIVE, 0, popup, ID_TOOL_PEN,
                                ID_TOOL_LINE, ID_TOOL_RECTANGLE, ID_TOOL_FILL}));
}

} // namespace
