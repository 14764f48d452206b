// Scrolling text: pixel fonts drawn exactly as FreeType draws their bitmaps,
// the rule that cuts a line into screens, the placement on the sign, and the
// write into the bank with its refusals and its undo. The fonts are read
// here through fontconfig and FreeType themselves, never through the code
// under test.

#include "TestSession.h"

#include "app/CommandInventory.h"
#include "app/UndoCommands.h"
#include "edit/FreeTypeRasterizer.h"
#include "edit/PixelFont.h"
#include "edit/ScrollingText.h"
#include "store/CommandIds.h"
#include "store/MessageText.h"
#include "store/Utf8.h"
#include "view/Navigation.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

namespace {

// ---- The fonts as FreeType draws them ----------------------------------

// The machine's fontconfig configuration, loaded once and released when the
// tests end.
class CTestFontConfig {
public:
    CTestFontConfig() : m_config(FcInitLoadConfigAndFonts()) {}
    ~CTestFontConfig() { FcConfigDestroy(m_config); }
    CTestFontConfig(const CTestFontConfig&) = delete;
    CTestFontConfig& operator=(const CTestFontConfig&) = delete;
    FcConfig* Get() const { return m_config; }

private:
    FcConfig* m_config;
};

// The file of the installed font of `family`, found with fontconfig; empty
// when no installed font has the family.
std::string FontFile(const std::string& family) {
    static const CTestFontConfig config;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(config.Get(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config.Get(), pattern, &result);
    FcPatternDestroy(pattern);
    std::string path;
    FcChar8* name = nullptr;
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch &&
        family == reinterpret_cast<const char*>(name) &&
        FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (match != nullptr)
        FcPatternDestroy(match);
    return path;
}

// A FreeType face of one font file, sized to `pixels` an em.
class CFace {
public:
    CFace(const std::string& file, int pixels) {
        if (FT_Init_FreeType(&m_library) != 0)
            return;
        if (FT_New_Face(m_library, file.c_str(), 0, &m_face) != 0) {
            m_face = nullptr;
            return;
        }
        FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(pixels));
    }
    ~CFace() {
        if (m_face != nullptr)
            FT_Done_Face(m_face);
        if (m_library != nullptr)
            FT_Done_FreeType(m_library);
    }
    CFace(const CFace&) = delete;
    CFace& operator=(const CFace&) = delete;

    FT_Face Get() const { return m_face; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

// The dots FreeType's monochrome rendering gives a glyph: (x, y) from the pen
// on the baseline, y upwards; and the advance in whole pixels.
struct SFreeTypeGlyph {
    std::set<std::pair<int, int>> dots;
    int advance = 0;
};

SFreeTypeGlyph FreeTypeGlyph(FT_Face face, FT_UInt index) {
    SFreeTypeGlyph glyph;
    EXPECT_EQ(FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO), 0);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    EXPECT_EQ(bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.rows == 0, true);
    for (unsigned r = 0; r < bitmap.rows; ++r)
        for (unsigned c = 0; c < bitmap.width; ++c)
            if (bitmap.buffer[r * static_cast<unsigned>(bitmap.pitch) + c / 8] & (0x80 >> (c % 8)))
                glyph.dots.emplace(face->glyph->bitmap_left + static_cast<int>(c),
                                   face->glyph->bitmap_top - 1 - static_cast<int>(r));
    glyph.advance = static_cast<int>(face->glyph->advance.x >> 6);
    return glyph;
}

// The same dots of a glyph of the code under test.
std::set<std::pair<int, int>> Dots(const SGlyph& glyph) {
    std::set<std::pair<int, int>> dots;
    for (int r = 0; r < glyph.blackBoxY; ++r)
        for (int k = 0; k < glyph.blackBoxX; ++k)
            if (glyph.Dot(k, r))
                dots.emplace(glyph.originX + k, glyph.originY - 1 - r);
    return dots;
}

// The line FreeType's glyphs make at a scale of `scale` dots a pixel, the
// baseline on line row `baseline`: column words with line row 0 in bit 31.
std::vector<Word> FreeTypeLine(FT_Face face, const std::u32string& text, int baseline,
                               int scale = 1) {
    std::vector<Word> columns;
    int pen = 0;
    for (const char32_t character : text) {
        const SFreeTypeGlyph glyph = FreeTypeGlyph(face, FT_Get_Char_Index(face, character));
        for (const auto& [x, y] : glyph.dots) {
            for (int dx = 0; dx < scale; ++dx) {
                for (int dy = 0; dy < scale; ++dy) {
                    const int column = (pen + x) * scale + dx;
                    const int row = (baseline - 1 - y) * scale + dy;
                    if (columns.size() <= static_cast<size_t>(column))
                        columns.resize(static_cast<size_t>(column) + 1, 0);
                    columns[static_cast<size_t>(column)] |= DotMask(row);
                }
            }
        }
        pen += glyph.advance;
        columns.resize(std::max(columns.size(), static_cast<size_t>(pen * scale)), 0);
    }
    return columns;
}

// Pixel fonts of the machine: the family, its native size, the baseline row
// of its line (its ascender's share of the em), and text to draw.
struct SPixelFont {
    const char* family;
    int size;
    int baseline;
};
const SPixelFont kPixelFonts[] = {
    {"Unifont-JP", 16, 14},
    {"MisakiGothic", 8, 6},
    {"MisakiMincho", 8, 6},
};
const std::u32string kSample = U"漢字かなカナ、ＡＢ。Glowmotion 0123 ?!ｱｲ";

TEST(PixelFonts, AreDetectedByTheirGridOrStrikes) {
    struct SCase {
        const char* family;
        std::vector<int> native;
    };
    for (const SCase& c :
         {SCase{"Unifont-JP", {16}}, SCase{"Unifont", {16}}, SCase{"MisakiGothic", {8}},
          SCase{"IPAGothic", {}}, SCase{"DejaVu Sans", {}}}) {
        const std::string file = FontFile(c.family);
        ASSERT_FALSE(file.empty()) << c.family << " is not installed";
        const CFace face(file, 16);
        ASSERT_NE(face.Get(), nullptr);
        EXPECT_EQ(NativePixelSizes(face.Get()), c.native) << c.family;
    }
    EXPECT_EQ(NativeSizeFor({16}, 16), 16);
    EXPECT_EQ(NativeSizeFor({16}, 32), 16);
    EXPECT_EQ(NativeSizeFor({16}, 8), 0);
    EXPECT_EQ(NativeSizeFor({8, 16}, 32), 16);
    EXPECT_EQ(NativeSizeFor({}, 16), 0);

    struct SSizing {
        std::vector<int> native;
        bool scalable;
        int size;
        SLineSizing expected;
    };
    const SSizing sizings[] = {
        {{16}, true, 16, {16, 1}},      // Unifont-JP at its size
        {{16}, true, 32, {16, 2}},      // doubled
        {{16}, true, 8, {8, 1}},        // as an outline at 8
        {{8}, true, 32, {8, 4}},        // Misaki four times
        {{}, true, 16, {16, 1}},        // an outline font
        {{10, 14}, false, 16, {14, 1}}, // bitmaps alone: the largest that fits
        {{18, 20}, false, 16, {18, 1}}, // none fits: the smallest
        {{12, 16}, false, 32, {16, 2}},
    };
    for (const SSizing& c : sizings)
        EXPECT_EQ(LineSizing(c.native, c.scalable, c.size), c.expected)
            << ::testing::PrintToString(c.native) << " at " << c.size;
}

TEST(PixelFonts, GlyphsAreFreeTypesOwnBitmaps) {
    CFreeTypeRasterizer rasterizer;
    for (const SPixelFont& font : kPixelFonts) {
        const std::string file = FontFile(font.family);
        ASSERT_FALSE(file.empty()) << font.family << " is not installed";
        const CFace face(file, font.size);
        ASSERT_NE(face.Get(), nullptr);
        for (const char32_t character : kSample) {
            const FT_UInt index = FT_Get_Char_Index(face.Get(), character);
            ASSERT_NE(index, 0u) << font.family << " lacks U+" << std::hex
                                 << static_cast<unsigned>(character);
            const SFreeTypeGlyph expected = FreeTypeGlyph(face.Get(), index);
            const std::optional<SGlyph> glyph =
                rasterizer.RasterizeText({font.family, font.size}, character);
            ASSERT_TRUE(glyph) << font.family;
            EXPECT_EQ(Dots(*glyph), expected.dots)
                << font.family << " U+" << std::hex << static_cast<unsigned>(character);
            EXPECT_EQ(glyph->advance, expected.advance) << font.family;
            EXPECT_EQ(glyph->ascent, font.baseline) << font.family;
        }

        // The whole line, placed at row 0.
        const std::optional<CScrollingText> line = CScrollingText::Render(
            rasterizer, {font.family, font.size}, "漢字かなカナ、ＡＢ。Glowmotion 0123 ?!ｱｲ", 0, 1);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->Columns(), FreeTypeLine(face.Get(), kSample, font.baseline)) << font.family;
    }
}

TEST(PixelFonts, OnATallerLineEveryDotBecomesABlock) {
    CFreeTypeRasterizer rasterizer;
    for (const auto& [font, size] :
         {std::pair{kPixelFonts[0], 32}, {kPixelFonts[1], 16}, {kPixelFonts[1], 32}}) {
        const CFace face(FontFile(font.family), font.size);
        ASSERT_NE(face.Get(), nullptr);
        const int scale = size / font.size;
        const std::optional<CScrollingText> line =
            CScrollingText::Render(rasterizer, {font.family, size}, "漢字 Ag", 0, 1);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->Columns(), FreeTypeLine(face.Get(), U"漢字 Ag", font.baseline, scale))
            << font.family << " at " << size;
    }
}

TEST(PixelFonts, OutlineFontsKeepTheRenderingOfCharacterImport) {
    CFreeTypeRasterizer rasterizer;
    CLogFont description;
    description.faceName = "IPAGothic";
    for (const int size : {16, 32}) {
        description.height = -size;
        EXPECT_EQ(rasterizer.FamilyOf(description), "IPAGothic");
        // 漢 and 字 in code page 932.
        for (const auto& [character, code] : {std::pair{U'漢', 0x8ABFu}, {U'字', 0x8E9Au}}) {
            const std::optional<SGlyph> imported = rasterizer.Rasterize(description, code);
            const std::optional<SGlyph> text =
                rasterizer.RasterizeText({"IPAGothic", size}, character);
            ASSERT_TRUE(imported && text);
            EXPECT_EQ(Dots(*text), Dots(*imported)) << size;
            EXPECT_EQ(text->ascent, imported->ascent) << size;
            EXPECT_EQ(text->advance, size);
        }
    }
}

TEST(PixelFonts, ACharacterTheFontLacksIsItsMissingGlyphAndAdvances) {
    CFreeTypeRasterizer rasterizer;
    constexpr char32_t kLacking = 0x10FFFD; // a private-use character no font here has
    for (const SPixelFont& font : kPixelFonts) {
        const CFace face(FontFile(font.family), font.size);
        ASSERT_NE(face.Get(), nullptr);
        ASSERT_EQ(FT_Get_Char_Index(face.Get(), kLacking), 0u);
        const SFreeTypeGlyph missing = FreeTypeGlyph(face.Get(), 0);
        ASSERT_FALSE(missing.dots.empty()) << font.family;
        const std::optional<SGlyph> glyph =
            rasterizer.RasterizeText({font.family, font.size}, kLacking);
        ASSERT_TRUE(glyph);
        EXPECT_EQ(Dots(*glyph), missing.dots) << font.family;
        EXPECT_GT(glyph->advance, 0);

        const std::optional<CScrollingText> alone =
            CScrollingText::Render(rasterizer, {font.family, font.size}, "AA", 0, 1);
        const std::optional<CScrollingText> between =
            CScrollingText::Render(rasterizer, {font.family, font.size},
                                   "A\xF4\x8F\xBF\xBD"
                                   "A",
                                   0, 1);
        ASSERT_TRUE(alone && between);
        EXPECT_EQ(between->Width(), alone->Width() + glyph->advance) << font.family;
        // The second A moved on by the missing glyph's advance.
        const std::vector<Word>& a = alone->Columns();
        const std::vector<Word>& b = between->Columns();
        const size_t half = a.size() / 2;
        EXPECT_EQ(std::vector<Word>(b.end() - static_cast<std::ptrdiff_t>(half), b.end()),
                  std::vector<Word>(a.end() - static_cast<std::ptrdiff_t>(half), a.end()));
        EXPECT_NE(std::count(b.begin(), b.end(), 0u), static_cast<long>(b.size()));
    }
}

TEST(PixelFonts, AFamilyNoFontHasIsRefusedNotReplaced) {
    CFreeTypeRasterizer rasterizer;
    EXPECT_FALSE(rasterizer.RasterizeText({"No Such Family 4711", 16}, U'A'));
    EXPECT_FALSE(CScrollingText::Render(rasterizer, {"No Such Family 4711", 16}, "A", 0, 1));
    EXPECT_FALSE(rasterizer.RasterizeText({"", 16}, U'A'));
    // fc-list prints the dash behind a backslash; both spellings name the font.
    const std::optional<SGlyph> plain = rasterizer.RasterizeText({"Unifont-JP", 16}, U'漢');
    const std::optional<SGlyph> escaped = rasterizer.RasterizeText({"Unifont\\-JP", 16}, U'漢');
    ASSERT_TRUE(plain && escaped);
    EXPECT_EQ(Dots(*plain), Dots(*escaped));
    EXPECT_TRUE(rasterizer.RasterizeText({"unifont-jp", 16}, U'漢'));

    const std::vector<std::string> families = InstalledFontFamilies();
    for (const char* family : {"Unifont-JP", "MisakiGothic", "MisakiMincho", "IPAGothic"})
        EXPECT_EQ(std::count(families.begin(), families.end(), family), 1) << family;
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
}

// ---- The scroll rule, with glyphs the test spells out --------------------

// Each character is one column wide, its dots the low 16 bits of its code
// point from the line's top row down; a line 16 dots high.
class CBarcodeRasterizer : public CGlyphRasterizer {
public:
    std::optional<SGlyph> Rasterize(const CLogFont&, unsigned) override { return std::nullopt; }
    std::optional<SGlyph> RasterizeText(const STextFont& font, char32_t character) override {
        if (font.family != "Barcode")
            return std::nullopt;
        SGlyph glyph;
        glyph.blackBoxX = 1;
        glyph.blackBoxY = 16;
        glyph.originY = 16;
        glyph.ascent = 16;
        glyph.advance = 1;
        glyph.pitch = 1;
        for (int r = 0; r < 16; ++r)
            glyph.bits.push_back((character >> r) & 1 ? 0x80 : 0);
        return glyph;
    }
};

// Character i of a barcode message: below the surrogates, with dots.
char32_t BarcodeCharacter(int i) {
    return static_cast<char32_t>(0x4E00 + (3 * i + 1) % 0x8000);
}

// A message of `length` characters whose columns differ (up to 10922) and
// have dots.
std::string BarcodeMessage(int length) {
    std::u32string text;
    for (int i = 0; i < length; ++i)
        text += BarcodeCharacter(i);
    std::string utf8;
    for (const char32_t c : text) {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
    return utf8;
}

// Column i of the barcode line of BarcodeMessage, at top row `row`.
Word BarcodeColumn(int i, int row) {
    const char32_t c = BarcodeCharacter(i);
    Word word = 0;
    for (int r = 0; r < 16; ++r)
        if ((c >> r) & 1)
            word |= DotMask(row + r);
    return word;
}

TEST(ScrollRule, ScreenKShowsTheColumnsEndingAtKPlusOneSteps) {
    CBarcodeRasterizer rasterizer;
    for (const int length : {10, 130}) {
        for (const int step : {1, 2, 48}) {
            const std::string what =
                "length " + std::to_string(length) + ", step " + std::to_string(step);
            const std::optional<CScrollingText> text = CScrollingText::Render(
                rasterizer, {"Barcode", 16}, BarcodeMessage(length), 5, step);
            ASSERT_TRUE(text) << what;
            ASSERT_EQ(text->Width(), length);
            const int count = text->ScreenCount();
            EXPECT_EQ(count, (length + 48 + step - 1) / step) << what;

            std::array<Word, kWordsPerScreen> screen{};
            for (int k = 0; k < count; ++k) {
                text->Screen(k, screen.data());
                for (int c = 0; c < kScreenColumns; ++c) {
                    const int column = (k + 1) * step - 48 + c;
                    const Word expected =
                        column >= 0 && column < length ? BarcodeColumn(column, 5) : 0;
                    ASSERT_EQ(screen[static_cast<size_t>(c)], expected)
                        << what << ", screen " << k << ", column " << c;
                }
            }
            // The first screen: the first `step` columns at the right edge.
            text->Screen(0, screen.data());
            for (int c = 0; c < kScreenColumns; ++c)
                EXPECT_EQ(screen[static_cast<size_t>(c)] != 0,
                          c >= 48 - step && c - (48 - step) < length)
                    << what << ", column " << c;
            // The last screen is blank, the one before it is not.
            text->Screen(count - 1, screen.data());
            EXPECT_EQ(screen, (std::array<Word, kWordsPerScreen>{})) << what;
            ASSERT_GE(count, 2);
            text->Screen(count - 2, screen.data());
            EXPECT_NE(screen, (std::array<Word, kWordsPerScreen>{})) << what;
        }
    }
}

TEST(ScrollRule, RowsStepsAndLengthsAreHeldToTheirRanges) {
    CBarcodeRasterizer rasterizer;
    const std::string message = BarcodeMessage(3);
    // Rows past the bottom keep the line on the sign; steps stay 1..48.
    const std::optional<CScrollingText> low =
        CScrollingText::Render(rasterizer, {"Barcode", 16}, message, 30, 100);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->Columns()[0], BarcodeColumn(0, 16));
    EXPECT_EQ(low->ScreenCount(), 2); // (3 + 48) / 48, rounded up
    const std::optional<CScrollingText> high =
        CScrollingText::Render(rasterizer, {"Barcode", 16}, message, -4, 0);
    ASSERT_TRUE(high);
    EXPECT_EQ(high->Columns()[0], BarcodeColumn(0, 0));
    EXPECT_EQ(high->ScreenCount(), 51);
    // Screens outside the run are blank.
    std::array<Word, kWordsPerScreen> screen{};
    screen.fill(1);
    high->Screen(-1, screen.data());
    EXPECT_EQ(screen, (std::array<Word, kWordsPerScreen>{}));
    high->Screen(1000, screen.data());
    EXPECT_EQ(screen, (std::array<Word, kWordsPerScreen>{}));

    // A message far too long for 800 screens stops being drawn early, and
    // still counts too many.
    const std::optional<CScrollingText> endless =
        CScrollingText::Render(rasterizer, {"Barcode", 16}, BarcodeMessage(20000), 0, 1);
    ASSERT_TRUE(endless);
    EXPECT_GT(endless->ScreenCount(), kMaxScreens);
    EXPECT_LT(endless->Width(), 1000);
}

TEST(ScrollRule, Utf8IsDecodedAndMalformedBytesAreReplacementCharacters) {
    struct SCase {
        std::string bytes;
        std::u32string text;
    };
    const SCase cases[] = {
        {"A漢𝄞", U"A漢𝄞"},
        {"\x80", U"\uFFFD"},
        {"\xC0\xAF", U"\uFFFD\uFFFD"},                     // overlong
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"\xE6\xBC", U"\uFFFD\uFFFD"},                     // cut short
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(DecodeUtf8(c.bytes), c.text) << ::testing::PrintToString(c.bytes);
}

// ---- Writing into the bank -------------------------------------------

// A session whose select1 holds `count` screens, each with dot (n % 48, 0)
// lit, screen `current` shown; characters drawn by the barcode rasterizer.
struct CTextSession : CTestSession {
    CTextSession(int count, int current) {
        view.SetRasterizer(rasterizer);
        for (int n = 1; n <= count; ++n)
            SetDot(s().ScreenAt(0, n).data(), n % 48, 0);
        s().m_screenCount[0] = s().m_displayedCount[0] = count;
        GoToScreen(view, current);
        doc.SetModifiedFlag(false);
    }
    std::vector<Word> Bank() const {
        const auto& bank = view.Store().m_banks[0];
        return std::vector<Word>(bank.begin(), bank.end());
    }
    CBarcodeRasterizer rasterizer;
};

STextScrollOptions Barcode(int length, int step) {
    STextScrollOptions options;
    options.message = BarcodeMessage(length);
    options.family = "Barcode";
    options.step = step;
    return options;
}

TEST(TextScroll, WritesFromTheScreenOnDisplayAsOneUndoRecord) {
    CTextSession t(20, 5);
    const CScreenStore before = t.s();
    const STextScrollOptions options = Barcode(10, 2); // 29 screens: 5..33
    {
        const CUndoScope undo(t.view, "テキストスクロール");
        ASSERT_TRUE(WriteScrollingText(t.view, options))
            << ::testing::PrintToString(t.MessageTexts());
    }
    EXPECT_TRUE(t.MessageTexts().empty());
    const std::optional<CScrollingText> text = CScrollingText::Render(
        t.rasterizer, {"Barcode", 16}, options.message, CentredTextRow(16), 2);
    ASSERT_TRUE(text);
    ASSERT_EQ(text->ScreenCount(), 29);
    std::array<Word, kWordsPerScreen> expected{};
    for (int k = 0; k < 29; ++k) {
        text->Screen(k, expected.data());
        EXPECT_EQ(t.Screen(0, 5 + k), std::vector<Word>(expected.begin(), expected.end())) << k;
    }
    // The line is centred: rows 8..23.
    EXPECT_EQ(text->Columns()[0], BarcodeColumn(0, 8));
    for (int n = 1; n < 5; ++n) {
        const std::span<const Word, kWordsPerScreen> old = before.ScreenAt(0, n);
        EXPECT_EQ(t.Screen(0, n), std::vector<Word>(old.begin(), old.end())) << n;
    }
    EXPECT_EQ(t.s().m_screenCount[0], 33);
    EXPECT_EQ(t.s().m_currentScreen, 5);
    EXPECT_EQ(t.s().m_form.screenCounts[0], "33");
    EXPECT_EQ(t.platform.scrollMax, 33);
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.s().m_macroCode, ""); // not a macro step

    ASSERT_EQ(UndoLabel(t.view), "テキストスクロール");
    ASSERT_TRUE(Undo(t.view));
    ExpectSameScreensAndCounters(t.s(), before);
    ASSERT_TRUE(Redo(t.view));
    EXPECT_EQ(t.s().m_screenCount[0], 33);

    // A short text inside the bank keeps its count.
    GoToScreen(t.view, 2);
    ASSERT_TRUE(WriteScrollingText(t.view, Barcode(1, 48)));
    EXPECT_EQ(t.s().m_screenCount[0], 33);
    EXPECT_EQ(t.s().m_currentScreen, 2);
}

TEST(TextScroll, RefusalsChangeNothing) {
    struct SCase {
        const char* what;
        int current;
        STextScrollOptions options;
        std::string message;
    };
    STextScrollOptions empty = Barcode(1, 1);
    empty.message.clear();
    STextScrollOptions unknown = Barcode(1, 1);
    unknown.family = "No Such Family";
    const SCase cases[] = {
        // 752 columns at step 1 need 800 screens from screen 1, one too many from 2.
        {"one screen past 800", 2, Barcode(752, 1), "スクリーン枚数がオーバーしました。"},
        {"far past 800", 1, Barcode(5000, 1), "スクリーン枚数がオーバーしました。"},
        {"from the last screen", 800, Barcode(1, 48), "スクリーン枚数がオーバーしました。"},
        {"an empty message", 1, empty, kNoMessageText},
        {"an unknown family", 1, unknown, "フォント「No Such Family」が見つかりません。"},
    };
    for (const SCase& c : cases) {
        CTextSession t(800, c.current);
        const CScreenStore before = t.s();
        const std::vector<Word> bank = t.Bank();
        {
            const CUndoScope undo(t.view, "テキストスクロール");
            EXPECT_FALSE(WriteScrollingText(t.view, c.options)) << c.what;
        }
        ASSERT_EQ(t.MessageTexts(), std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(t.platform.messages[0].caption, kErrorCaption);
        EXPECT_TRUE(t.Bank() == bank) << c.what;
        ExpectSameScreensAndCounters(t.s(), before);
        EXPECT_FALSE(t.doc.IsModified()) << c.what;
        EXPECT_FALSE(CanUndo(t.view)) << c.what;
    }

    // Exactly up to screen 800 is written.
    CTextSession t(10, 1);
    ASSERT_TRUE(WriteScrollingText(t.view, Barcode(752, 1)));
    EXPECT_EQ(t.s().m_screenCount[0], 800);
}

TEST(TextScroll, DuringAPreviewStartsAtTheScreenItShows) {
    CTextSession t(30, 3);
    t.s().m_previewFlag = 1;
    t.s().m_previewOffset = 4;
    ASSERT_TRUE(WriteScrollingText(t.view, Barcode(2, 2)));
    EXPECT_EQ(t.s().m_currentScreen, 7);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_EQ(t.s().m_screenCount[0], 31); // 25 screens from 7
    // Its first screen shows the first two columns at the right edge.
    std::array<Word, kWordsPerScreen> first{};
    first[46] = BarcodeColumn(0, 8);
    first[47] = BarcodeColumn(1, 8);
    EXPECT_EQ(t.Screen(0, 7), std::vector<Word>(first.begin(), first.end()));
    EXPECT_EQ(t.Screen(0, 31), std::vector<Word>(kWordsPerScreen, 0));
    EXPECT_TRUE(TestDot(t.s().ScreenAt(0, 6).data(), 6, 0)); // untouched
}

TEST(TextScroll, DefaultsFollowTheSize) {
    CTestSession t;
    EXPECT_EQ(DefaultTextFamily(t.view, 8), "MisakiGothic");
    EXPECT_EQ(DefaultTextFamily(t.view, 16), "Unifont-JP");
    // The 32x32 import font of a fresh start ("ＭＳ ゴシック") is IPAGothic here.
    EXPECT_EQ(DefaultTextFamily(t.view, 32), "IPAGothic");
    EXPECT_EQ(CentredTextRow(8), 12);
    EXPECT_EQ(CentredTextRow(16), 8);
    EXPECT_EQ(CentredTextRow(32), 0);
    STextScrollOptions options;
    options.size = 8;
    EXPECT_EQ(TextFontOf(t.view, options), (STextFont{"MisakiGothic", 8}));
    options.family = "Unifont-JP";
    EXPECT_EQ(TextFontOf(t.view, options), (STextFont{"Unifont-JP", 8}));

    // The real fonts: 漢字 at 16 dots is 32 columns, 80 screens at step 1.
    options = STextScrollOptions{};
    options.message = "漢字";
    ASSERT_TRUE(WriteScrollingText(t.view, options));
    EXPECT_EQ(t.s().m_screenCount[0], 80);
}

TEST(TextScroll, IsTheWindowsCommandBelowTheExchange) {
    EXPECT_TRUE(IsFrameCommand(ID_TEXT_SCROLL));
    EXPECT_FALSE(CDispatcher::HandlesCommand(ID_TEXT_SCROLL));
    ASSERT_NE(FindCommandText(ID_TEXT_SCROLL), nullptr);
    EXPECT_EQ(std::string(FindCommandText(ID_TEXT_SCROLL)->text), "テキストスクロール...");
}

} // namespace
