// Character import: the byte walk, the slots, the band, the failures with
// their messages and discarded fonts, the font commands and the replayed
// steps. The geometry is checked with a scripted rasterizer whose glyphs the
// tests spell out; the real FreeType rasterizer is checked with IPAGothic,
// the Japanese font of a fresh machine.

#include "TestSession.h"

#include "edit/CharacterImport.h"
#include "store/CommandIds.h"
#include "store/GlyphRasterizer.h"
#include "store/MessageText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

using Words = std::vector<Word>;

// A glyph whose black box is `width` x `height` with every dot set.
SGlyph Box(int width, int height, int originX, int originY, int ascent) {
    SGlyph glyph;
    glyph.blackBoxX = width;
    glyph.blackBoxY = height;
    glyph.originX = originX;
    glyph.originY = originY;
    glyph.ascent = ascent;
    glyph.pitch = (width + 7) / 8 + 1; // padded, as GDI pads its rows
    glyph.bits.assign(static_cast<size_t>(glyph.pitch * height), 0);
    for (int r = 0; r < height; ++r)
        for (int k = 0; k < width; ++k)
            glyph.bits[static_cast<size_t>(r * glyph.pitch + k / 8)] |=
                static_cast<unsigned char>(0x80 >> (k % 8));
    return glyph;
}

// Answers from a script and remembers every question.
class CScriptedRasterizer : public CGlyphRasterizer {
public:
    using FScript = std::function<std::optional<SGlyph>(const CLogFont&, unsigned)>;

    // By default every character is a full square as high as the font's
    // character height, standing on row 0 of the band.
    CScriptedRasterizer()
        : script([](const CLogFont& font, unsigned) -> std::optional<SGlyph> {
              const int side = -font.height;
              return Box(side, side, 0, side, side);
          }) {}

    std::optional<SGlyph> Rasterize(const CLogFont& font, unsigned code) override {
        asked.push_back(code);
        return script(font, code);
    }

    FScript script;
    std::vector<unsigned> asked;
};

// A session that draws with a scripted rasterizer.
struct CScriptedSession : CTestSession {
    CScriptedSession() { view.SetRasterizer(rasterizer); }
    CScriptedRasterizer rasterizer;

    void Type16(const std::string& text) { dispatch.OnEditChanged(IDC_TEXT16, text); }
    void Type32(const std::string& text) { dispatch.OnEditChanged(IDC_TEXT32, text); }
    Words Current() const {
        return Screen(view.Store().m_currentBank, view.Store().m_currentScreen);
    }
    void FillCurrent() {
        for (Word& word : s().CurrentScreenWords())
            word = 0xFFFFFFFFu;
    }
};

// A screen whose columns [first, last] hold `word` and whose others are blank.
Words Columns(int first, int last, Word word) {
    Words screen(kWordsPerScreen, 0);
    for (int c = first; c <= last; ++c)
        screen[static_cast<size_t>(c)] = word;
    return screen;
}

// Two screens' dots together.
Words operator|(Words a, const Words& b) {
    for (size_t c = 0; c < a.size(); ++c)
        a[c] |= b[c];
    return a;
}

TEST(CharacterImport, ByteWalkPairsEveryLeadByteWithItsTrailByte) {
    using V = std::vector<SCharacterAt>;
    EXPECT_EQ(SplitCharacters("\x41\x8A\xBF\x42"), (V{{0x41, 0}, {0x8ABF, 1}, {0x42, 3}}));
    EXPECT_EQ(SplitCharacters("\xEF\x40\xEF\xFC"), (V{{0xEF40, 0}, {0xEFFC, 2}}));
    // The NEC row 13 (87 40 ①), the NEC selection of IBM extensions (ED 40 纊),
    // the IBM extensions (FA 40 ⅰ, FB FC 髙) and the user-defined area (F0 40)
    // are double-byte characters like any other.
    EXPECT_EQ(SplitCharacters("\x87\x40\xED\x40\xFA\x40\xFB\xFC\xF0\x40"),
              (V{{0x8740, 0}, {0xED40, 2}, {0xFA40, 4}, {0xFBFC, 6}, {0xF040, 8}}));
    // A lead byte without a trail byte after it, the last one included.
    EXPECT_EQ(SplitCharacters("\x81\x7F\x41\x81"), (V{{0x81, 0}, {0x7F, 1}, {0x41, 2}, {0x81, 3}}));
    EXPECT_EQ(SplitCharacters("\xFC\x20\xA0\xFD"), (V{{0xFC, 0}, {0x20, 1}, {0xA0, 2}, {0xFD, 3}}));

    // The import asks the rasterizer for exactly those codes: 髙 is one
    // character in one double-byte slot, and the font stays.
    CScriptedSession t;
    t.Type16("髙\uE000A");
    t.Click(IDC_IMPORT16);
    EXPECT_EQ(t.rasterizer.asked, (std::vector<unsigned>{0xFBFC, 0xF040, 0x41}));
    EXPECT_EQ(t.Current(), Columns(0, 39, 0x0000FFFFu));
    EXPECT_TRUE(t.MessageTexts().empty());
    EXPECT_TRUE(t.s().m_importFont16);
}

TEST(CharacterImport, SlotsCutsAndTheBand) {
    CScriptedSession t;
    // A 16-dot square in a double-byte slot fills the lower half of its 16
    // columns; the rest of the screen is blanked.
    t.FillCurrent();
    t.Type16("字");
    t.Click(IDC_IMPORT16);
    EXPECT_EQ(t.Current(), Columns(0, 15, 0x0000FFFFu));

    // A single byte keeps only its first 8 black-box columns in 16x16 ...
    t.rasterizer.script = [](const CLogFont&, unsigned) { return Box(12, 16, 0, 16, 16); };
    t.Type16("W");
    t.Click(IDC_IMPORT16);
    EXPECT_EQ(t.Current(), Columns(0, 7, 0x0000FFFFu));
    // ... and up to 32 in 32x32, where the last character's overhang stays
    // and the next character's slot clear erases any other.
    t.rasterizer.script = [](const CLogFont&, unsigned code) {
        return code == 'W' ? Box(20, 32, 0, 32, 32) : Box(2, 32, 0, 32, 32);
    };
    t.Type32("AW");
    t.Click(IDC_IMPORT32);
    EXPECT_EQ(t.Current(), Columns(0, 1, 0xFFFFFFFFu) | Columns(16, 35, 0xFFFFFFFFu));
    t.Type32("WA");
    t.Click(IDC_IMPORT32);
    EXPECT_EQ(t.Current(), Columns(0, 17, 0xFFFFFFFFu));

    // Rows go from ascent - originY; dots above or below the band and right
    // of column 47 are dropped; a negative originX reaches into the slot before.
    t.rasterizer.script = [](const CLogFont&, unsigned code) {
        switch (code) {
        case 'a':
            return Box(4, 4, 0, 10, 9); // rows -1 .. 2
        case 'b':
            return Box(2, 6, -2, 2, 12); // rows 10 .. 15, columns 6 .. 7
        default:
            return Box(8, 3, 6, 0, 14); // rows 14 .. 16, slot + 6 .. slot + 13
        }
    };
    t.Type16("abcdef");
    t.Click(IDC_IMPORT16);
    // Of "c", "d", "e" only the two columns left of the next slot survive.
    EXPECT_EQ(t.Current(), Columns(0, 3, 0x0000E000u) | Columns(6, 7, 0x0000003Fu) |
                               Columns(22, 23, 3) | Columns(30, 31, 3) | Columns(38, 39, 3) |
                               Columns(46, 47, 3));
    EXPECT_TRUE(t.MessageTexts().empty());
}

TEST(CharacterImport, EmptyTextBlanksTheScreenAndRecords) {
    CScriptedSession t;
    t.Click(IDC_MACRO_RECORD);
    for (const int button : {IDC_IMPORT16, IDC_IMPORT32}) {
        t.FillCurrent();
        t.Click(button);
        EXPECT_EQ(t.Current(), Words(kWordsPerScreen, 0));
    }
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.s().m_macroCode, "12,39,");
    EXPECT_EQ(t.s().m_macroLines,
              (std::vector<std::string>{"文字取込１６×１６ドット", "文字取込３２×３２ドット"}));
}

TEST(CharacterImport, FailedCharacterDiscardsTheFontOfItsSize) {
    CScriptedSession t;
    t.Click(IDC_MACRO_RECORD);
    t.Click(IDC_PLAY);
    t.rasterizer.script = [](const CLogFont&, unsigned code) -> std::optional<SGlyph> {
        if (code == 'X')
            return std::nullopt;
        return Box(8, 16, 0, 16, 16);
    };
    t.Type16("AXB");
    t.Click(IDC_IMPORT16);
    // X fails and discards the font; B then fails without a question.
    EXPECT_EQ(t.rasterizer.asked, (std::vector<unsigned>{'A', 'X'}));
    ASSERT_EQ(t.platform.messages.size(), 2u);
    for (const auto& message : t.platform.messages) {
        EXPECT_EQ(message.text, "TrueTypeの日本語を選んでください。");
        EXPECT_EQ(message.caption, "Lampgrid");
        EXPECT_EQ(message.type, MB_OK | MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(t.Current(), Columns(0, 7, 0x0000FFFFu));
    EXPECT_EQ(t.s().m_previewFlag, 0);
    EXPECT_FALSE(t.platform.previewTimerRunning);
    EXPECT_EQ(t.s().m_macroCode, "12,");

    // The 32x32 font is untouched; the 16x16 one fails at once.
    t.rasterizer.asked.clear();
    t.Type32("A");
    t.Click(IDC_IMPORT32);
    t.Type16("A");
    t.Click(IDC_IMPORT16);
    EXPECT_EQ(t.rasterizer.asked, (std::vector<unsigned>{'A'}));
    EXPECT_EQ(t.platform.messages.size(), 3u);

    // Cancel keeps the discarded font, which fails the test character with
    // "日本語を選んでください。"; the command ends there instead of holding
    // the user in the dialog. OK then makes the font again.
    t.platform.fontAnswers = {std::nullopt};
    t.Click(ID_FONT16);
    EXPECT_EQ(t.platform.fontDialogCount, 1);
    EXPECT_EQ(t.platform.messages.back().text, "日本語を選んでください。");
    EXPECT_EQ(t.platform.messages.back().caption, kErrorCaption);
    t.platform.fontAnswers = {t.s().m_logFont16};
    t.Click(ID_FONT16);
    EXPECT_EQ(t.platform.fontDialogCount, 2);
    EXPECT_EQ(t.rasterizer.asked.back(), 0xE54Eu);
    t.Click(IDC_IMPORT16);
    EXPECT_EQ(t.Current(), Columns(0, 7, 0x0000FFFFu));
    EXPECT_EQ(t.platform.messages.size(), 4u);
    EXPECT_EQ(t.s().m_macroCode, "12,39,12,12,"); // the font command records nothing

    // A glyph higher than the band fails with its own message.
    t.rasterizer.script = [](const CLogFont&, unsigned) { return Box(8, 17, 0, 16, 16); };
    t.Click(IDC_IMPORT16);
    EXPECT_EQ(t.platform.messages.back().text, "フォントが大きすぎます。");
    EXPECT_EQ(t.platform.messages.back().caption, "Lampgrid");
}

TEST(CharacterImport, FontTestRefusesABlackBoxLargerThanTheSize) {
    CScriptedSession t;
    // -17 gives a black box one dot too wide, -18 one dot too high.
    t.rasterizer.script = [](const CLogFont& font, unsigned) {
        const int side = -font.height;
        return side == 17   ? Box(17, 16, 0, 16, 16)
               : side == 18 ? Box(16, 17, 0, 16, 16)
                            : Box(side, side, 0, side, side);
    };
    CLogFont wide = t.s().m_logFont16;
    wide.faceName = "IPAGothic";
    wide.height = -17;
    CLogFont high = wide;
    high.height = -18;
    CLogFont fits = wide;
    fits.height = -16;
    t.platform.fontAnswers = {wide, high, fits};
    t.Click(ID_FONT16);
    EXPECT_EQ(t.platform.fontDialogCount, 3);
    ASSERT_EQ(t.platform.messages.size(), 2u);
    for (const auto& message : t.platform.messages) {
        EXPECT_EQ(message.text, "フォントが大きすぎます。");
        EXPECT_EQ(message.caption, kErrorCaption);
    }
    EXPECT_EQ(t.s().m_logFont16, fits);
    // The 32x32 font of the settings passes: Cancel ends the command.
    t.Click(ID_FONT32);
    EXPECT_EQ(t.platform.fontDialogCount, 4);
    EXPECT_EQ(t.platform.messages.size(), 2u);
}

TEST(CharacterImport, ReplayAsksForTheTextAgain) {
    CScriptedSession t;
    t.Type32("Z");
    t.s().m_macroCode = "12,39,";
    t.platform.text16Answers = {std::string("AB")};
    t.platform.text32Answers = {std::nullopt};
    t.Click(IDC_MACRO_RECORD);
    t.Click(IDC_MACRO_START);
    EXPECT_EQ(t.platform.characterDialogs, (std::vector<int>{16, 32}));
    EXPECT_EQ(t.s().m_text16, "AB");
    EXPECT_EQ(t.s().m_form.text16, "AB");
    EXPECT_EQ(t.s().m_text32, "Z"); // Cancel keeps the text and still imports it
    EXPECT_EQ(t.rasterizer.asked, (std::vector<unsigned>{'A', 'B', 'Z'}));
    EXPECT_TRUE(t.s().m_macroLines.empty());
}

TEST(CharacterImport, ReplayCutsALongAnswerAtACharacterBoundary) {
    // Answers longer than the box keep the box's bytes, never half a
    // character, and the form takes them without a message.
    for (const auto& [size, answer, kept] : std::vector<std::tuple<int, std::string, std::string>>{
             {16, "Aあいう", "Aあい"}, {32, "AB漢", "AB"}, {32, "A髙", "A髙"}}) {
        SCOPED_TRACE(answer);
        CScriptedSession t;
        t.s().m_macroCode = size == 16 ? "12," : "39,";
        (size == 16 ? t.platform.text16Answers : t.platform.text32Answers) = {answer};
        t.Click(IDC_MACRO_START);
        EXPECT_EQ(size == 16 ? t.s().m_text16 : t.s().m_text32, kept);
        EXPECT_EQ(size == 16 ? t.s().m_form.text16 : t.s().m_form.text32, kept);
        EXPECT_TRUE(t.MessageTexts().empty());
    }
}

// With the machine's IPAGothic through FreeType.
struct CIpaSession : CTestSession {
    Words Import(int button, const std::string& text) {
        dispatch.OnEditChanged(button == IDC_IMPORT16 ? IDC_TEXT16 : IDC_TEXT32, text);
        Click(button);
        return Screen(0, 1);
    }
};

// Columns [first, first + count) of a screen.
Words Part(const Words& screen, int first, int count) {
    return {screen.begin() + first, screen.begin() + first + count};
}

Word Union(const Words& columns) {
    Word all = 0;
    for (const Word word : columns)
        all |= word;
    return all;
}

TEST(CharacterImportIpaGothic, CharactersStandInTheirSlots) {
    CIpaSession t;
    for (Word& word : t.s().CurrentScreenWords())
        word = 0xFFFFFFFFu;
    const Words abc = t.Import(IDC_IMPORT16, "ABC");
    EXPECT_EQ(Union(abc) & 0xFFFF0000u, 0u);
    EXPECT_EQ(Part(abc, 24, 24), Words(24, 0));
    for (const int slot : {0, 8, 16})
        EXPECT_NE(Union(Part(abc, slot, 8)), 0u) << slot;

    // Each slot holds what its character draws on its own.
    const Words a = t.Import(IDC_IMPORT16, "A");
    const Words kan = t.Import(IDC_IMPORT16, "漢");
    const Words ji = t.Import(IDC_IMPORT16, "字");
    const Words text = t.Import(IDC_IMPORT16, "A漢字");
    EXPECT_EQ(Part(text, 0, 8), Part(a, 0, 8));
    EXPECT_EQ(Part(text, 8, 16), Part(kan, 0, 16));
    EXPECT_EQ(Part(text, 24, 16), Part(ji, 0, 16));
    EXPECT_EQ(Part(text, 40, 8), Words(8, 0));
    EXPECT_NE(Union(kan) & 1u, 0u); // the kanji keeps its bottom row
    EXPECT_NE(Union(t.Import(IDC_IMPORT16, "ｱ")), 0u);

    // 32x32: a kanji over both halves, columns 32..47 blank whatever was there.
    EXPECT_NE(Union(Part(t.Import(IDC_IMPORT32, "ABC"), 32, 16)), 0u);
    const Words kan32 = t.Import(IDC_IMPORT32, "漢");
    EXPECT_EQ(Part(kan32, 32, 16), Words(16, 0));
    EXPECT_NE(Union(kan32) & 0xFFFF0000u, 0u);
    EXPECT_NE(Union(kan32) & 0x0000FFFFu, 0u);
    const Words a32 = t.Import(IDC_IMPORT32, "A");
    const Words aKan = t.Import(IDC_IMPORT32, "A漢");
    EXPECT_EQ(Part(aKan, 0, 16), Part(a32, 0, 16));
    EXPECT_EQ(Part(aKan, 16, 32), Part(kan32, 0, 32));
    EXPECT_NE(Union(t.Import(IDC_IMPORT32, "ｱ")), 0u);
    EXPECT_TRUE(t.MessageTexts().empty());
}

TEST(CharacterImportIpaGothic, TestCharacterPassesAtBothSizes) {
    CIpaSession t;
    // The settings' descriptions ("ＭＳ ゴシック", -16 and -32) resolve to
    // IPAGothic, and so does a face no font has.
    CLogFont unknown = t.s().m_logFont32;
    unknown.faceName = "存在しない書体";
    t.platform.fontAnswers = {t.s().m_logFont16, unknown};
    t.Click(ID_FONT16);
    t.Click(ID_FONT32);
    EXPECT_EQ(t.platform.fontDialogCount, 2);
    EXPECT_TRUE(t.MessageTexts().empty());
    // A blank glyph places nothing and succeeds.
    EXPECT_EQ(t.Import(IDC_IMPORT16, " "), Words(kWordsPerScreen, 0));
    EXPECT_TRUE(t.MessageTexts().empty());
}

} // namespace
