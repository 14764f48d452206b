#include "TestSession.h"

#include "store/CommandIds.h"
#include "store/Cp932.h"
#include "store/DataExchange.h"
#include "store/MessageText.h"
#include "store/ProfileFonts.h"
#include "view/FormTemplate.h"
#include "view/Navigation.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(ScreenStore, FreshProgramHasTenBlankScreensInEveryBank) {
    CTestSession t;
    const CScreenStore& s = t.s();
    EXPECT_EQ(s.m_currentBank, 0);
    EXPECT_EQ(s.m_currentScreen, 1);
    EXPECT_EQ(s.m_insertPos, -1);
    for (int bank = 0; bank < kBankCount; ++bank) {
        EXPECT_EQ(s.m_screenCount[bank], 10);
        EXPECT_EQ(s.m_displayedCount[bank], 10);
        EXPECT_EQ(s.m_bankCurrent[bank], 1);
    }
    // The form shows the fields after the first update.
    EXPECT_EQ(s.m_form.currentScreen, "1");
    EXPECT_EQ(s.m_form.screenCounts[2], "10");
    EXPECT_EQ(s.m_form.bankRadio, 0);
    EXPECT_EQ(s.m_gridRect, (CRect{77, 54, 366, 248}));
    EXPECT_EQ(t.platform.scrollMin, 1);
    EXPECT_EQ(t.platform.scrollMax, 10);
}

TEST(ScreenStore, ScreenAtCoversExactlyTheBank) {
    CScreenStore s;
    auto first = s.ScreenAt(1, 1);
    auto last = s.ScreenAt(1, kMaxScreens);
    EXPECT_EQ(first.data(), s.m_banks[1].data());
    EXPECT_EQ(last.data() + kWordsPerScreen, s.m_banks[1].data() + kWordsPerBank);
    // Column 0, row 0 is bit 31; row 31 is bit 0.
    SetDot(first.data(), 0, 0);
    SetDot(first.data(), 47, 31);
    EXPECT_EQ(first[0], 0x80000000u);
    EXPECT_EQ(first[47], 0x00000001u);
    ClearDot(first.data(), 0, 0);
    EXPECT_EQ(first[0], 0u);
}

TEST(ScreenStore, CapacityCheckRefusesAbove800WithItsMessage) {
    CTestSession t;
    EXPECT_TRUE(t.view.CheckCapacity(800));
    EXPECT_TRUE(t.platform.messages.empty());
    EXPECT_FALSE(t.view.CheckCapacity(801));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text, "スクリーン枚数がオーバーしました。");
    EXPECT_EQ(t.platform.messages[0].caption, "エラー発生！");
    EXPECT_EQ(t.platform.messages[0].type, MB_ICONEXCLAMATION);
}

TEST(DataExchange, FormIntegersFollowTheFormsRules) {
    EXPECT_EQ(ParseFormInt("12"), 12);
    EXPECT_EQ(ParseFormInt(" \t12 "), 12);
    EXPECT_EQ(ParseFormInt("-3"), -3);
    EXPECT_EQ(ParseFormInt("+5"), 5);
    EXPECT_EQ(ParseFormInt("0"), 0);
    EXPECT_EQ(ParseFormInt("007"), 7);
    EXPECT_EQ(ParseFormInt(""), std::nullopt);
    EXPECT_EQ(ParseFormInt("  "), std::nullopt);
    EXPECT_EQ(ParseFormInt("+0"), std::nullopt);
    EXPECT_EQ(ParseFormInt("-0"), std::nullopt);
    EXPECT_EQ(ParseFormInt("12a"), std::nullopt);
    EXPECT_EQ(ParseFormInt("1 2"), std::nullopt);
    EXPECT_EQ(ParseFormInt("abc"), std::nullopt);
    EXPECT_EQ(ParseFormInt("99999999999"), 2147483647);
    // Plain digits up to nine take a short way, longer ones the general walk.
    EXPECT_EQ(ParseFormInt("123456789"), 123456789);
    EXPECT_EQ(ParseFormInt("1234567890"), 1234567890);
    EXPECT_EQ(ParseFormInt("000000000"), 0);
    EXPECT_EQ(ParseFormInt("12345678a"), std::nullopt);
}

TEST(DataExchange, FailedIntegerKeepsFieldsReadBeforeIt) {
    CTestSession t;
    CScreenStore& s = t.s();
    t.dispatch.OnEditChanged(IDC_TEXT16, "AB");
    t.s().m_form.recording = true;
    t.dispatch.OnEditChanged(IDC_STEP_COUNT, "x1");
    t.dispatch.OnEditChanged(IDC_BREAK_STEP, "4");
    t.dispatch.OnEditChanged(IDC_TEXT32, "Z");
    EXPECT_FALSE(t.view.UpdateData(true));
    ASSERT_EQ(t.platform.messages.size(), 1u);
    EXPECT_EQ(t.platform.messages[0].text, "整数を入力してください。");
    EXPECT_EQ(t.platform.messages[0].caption, "Glowmotion");
    EXPECT_EQ(t.platform.messages[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(t.platform.focusedControls.back(), IDC_STEP_COUNT);
    // Read before the failure: the new values.
    EXPECT_EQ(s.m_text16, "AB");
    EXPECT_EQ(s.m_recording, 1);
    // From the failing field on: the old values.
    EXPECT_EQ(s.m_breakStep, 0);
    EXPECT_EQ(s.m_text32, "");

    t.dispatch.OnEditChanged(IDC_STEP_COUNT, "7");
    EXPECT_TRUE(t.view.UpdateData(true));
    EXPECT_EQ(s.m_stepCount, 7);
    EXPECT_EQ(s.m_breakStep, 4);
    EXPECT_EQ(s.m_text32, "Z");
}

TEST(DataExchange, TextLimitsCountCp932Bytes) {
    CTestSession t;
    CScreenStore& s = t.s();
    t.dispatch.OnEditChanged(IDC_TEXT16, "あいう"); // 6 bytes: accepted
    t.dispatch.OnEditChanged(IDC_TEXT32, "ｱｲｳ");    // half-width kana, 3 bytes
    EXPECT_TRUE(t.view.UpdateData(true));
    EXPECT_EQ(s.m_text16, "あいう");
    EXPECT_EQ(s.m_text32, "ｱｲｳ");

    t.dispatch.OnEditChanged(IDC_TEXT16, "あいうA"); // 7 bytes
    EXPECT_FALSE(t.view.UpdateData(true));
    EXPECT_EQ(t.MessageTexts().back(), "6 文字以内で入力してください。");
    // The text is taken before it is checked, as the form always did.
    EXPECT_EQ(s.m_text16, "あいうA");

    t.dispatch.OnEditChanged(IDC_TEXT16, "abc");
    t.dispatch.OnEditChanged(IDC_TEXT32, "字A"); // 3 bytes
    EXPECT_TRUE(t.view.UpdateData(true));
    t.dispatch.OnEditChanged(IDC_TEXT32, "字字"); // 4 bytes
    EXPECT_FALSE(t.view.UpdateData(true));
    EXPECT_EQ(t.MessageTexts().back(), "3 文字以内で入力してください。");
    EXPECT_EQ(t.platform.focusedControls.back(), IDC_TEXT32);
}

TEST(DataExchange, CurrentScreenOutsideTheBankFailsTheRangeCheck) {
    CTestSession t;
    CScreenStore& s = t.s();
    GoToScreen(t.view, 15); // beyond the 10 screens
    t.s().m_form.bankRadio = 2;
    EXPECT_FALSE(t.view.UpdateData(true));
    EXPECT_EQ(t.MessageTexts().back(), "1 から 10 までの整数を入力してください。");
    EXPECT_EQ(s.m_currentScreen, 15);
    // The bank buttons come after the range check and were not read.
    EXPECT_EQ(s.m_currentBank, 0);
}

TEST(DataExchange, WritingFormatsEveryField) {
    CTestSession t;
    CScreenStore& s = t.s();
    s.m_currentScreen = 7;
    s.m_stepCount = 3;
    s.m_breakStep = -2;
    s.m_breakFlag = 1;
    s.m_recording = 1;
    s.m_displayedCount = {1, 22, 333};
    s.m_bankCurrent = {4, 5, 6};
    s.m_currentBank = 2;
    const int before = t.platform.controlsChangedCount;
    t.view.UpdateData(false);
    const CFormValues& f = s.m_form;
    EXPECT_EQ(f.currentScreen, "7");
    EXPECT_EQ(f.stepCount, "3");
    EXPECT_EQ(f.breakStep, "-2");
    EXPECT_TRUE(f.breakFlag);
    EXPECT_TRUE(f.recording);
    EXPECT_EQ(f.screenCounts, (std::array<std::string, 3>{"1", "22", "333"}));
    EXPECT_EQ(f.bankCurrents, (std::array<std::string, 3>{"4", "5", "6"}));
    EXPECT_EQ(f.bankRadio, 2);
    EXPECT_EQ(t.platform.controlsChangedCount, before + 1);
}

// Settings given from a table.
class CMapProfile : public CProfileReader {
public:
    std::map<std::string, std::string> values;

    std::optional<long long> ReadInt(const std::string& section,
                                     const std::string& key) const override {
        EXPECT_EQ(section, "Font");
        auto it = values.find(key);
        if (it == values.end())
            return std::nullopt;
        return std::stoll(it->second);
    }
    std::optional<std::string> ReadString(const std::string& section,
                                          const std::string& key) const override {
        EXPECT_EQ(section, "Font");
        auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
};

TEST(ProfileFonts, DefaultsAndStoredKeys) {
    CMapProfile profile;
    const CLogFont f16 = ReadImportFont(profile, -16);
    const CLogFont f32 = ReadImportFont(profile, -32);
    EXPECT_EQ(f16.height, -16);
    EXPECT_EQ(f32.height, -32);
    EXPECT_EQ(f16.weight, 400);
    EXPECT_EQ(f16.charSet, 128);
    EXPECT_EQ(f16.outPrecision, 3);
    EXPECT_EQ(f16.clipPrecision, 2);
    EXPECT_EQ(f16.quality, 1);
    EXPECT_EQ(f16.pitchAndFamily, 49);
    EXPECT_EQ(f16.faceName, "ＭＳ ゴシック");
    EXPECT_EQ(f16.italic, 0);

    // One set of keys serves both fonts; byte keys keep their low 8 bits.
    profile.values = {
        {"lfHeight", "-20"}, {"lfCharSet", "384"}, {"lfItalic", "257"}, {"lfWeight", "700"}};
    EXPECT_EQ(ReadImportFont(profile, -16).height, -20);
    EXPECT_EQ(ReadImportFont(profile, -32).height, -20);
    EXPECT_EQ(ReadImportFont(profile, -32).charSet, 128);
    EXPECT_EQ(ReadImportFont(profile, -32).italic, 1);
    EXPECT_EQ(ReadImportFont(profile, -32).weight, 700);
}

TEST(ProfileFonts, FaceNameIsCutTo31Cp932Bytes) {
    CMapProfile profile;
    profile.values["lfFaceName"] = std::string(40, 'A');
    EXPECT_EQ(ReadImportFont(profile, -16).faceName, std::string(31, 'A'));
    // 30 single bytes and a double-byte character: the character does not fit.
    profile.values["lfFaceName"] = std::string(30, 'B') + "字" + "C";
    EXPECT_EQ(ReadImportFont(profile, -16).faceName, std::string(30, 'B'));
    profile.values["lfFaceName"] = "IPAGothic";
    EXPECT_EQ(ReadImportFont(profile, -16).faceName, "IPAGothic");
}

TEST(Cp932, ConversionsAndLengths) {
    EXPECT_EQ(Utf8ToCp932("　"), "\x81\x40");
    EXPECT_EQ(Utf8ToCp932("ｱ"), "\xB1");
    EXPECT_EQ(Utf8ToCp932("A字"), "A\x8E\x9A");
    EXPECT_EQ(Cp932ToUtf8("\x81\x40"), "　");
    EXPECT_EQ(Cp932Length("＋ＳＨＩＦＴ"), 12);
    // What code page 932 cannot hold counts as one "?".
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                          "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp932("a\xFF"
                          "b"),
              "a?b");
    EXPECT_EQ(TruncateToCp932Bytes("ああa", 3), "あ");
}

TEST(Cp932, ExtensionsAreDoubleByteCharactersEverywhere) {
    // The NEC row 13 and the IBM extensions: two bytes each when encoded,
    // counted, cut and decoded, a trail byte that reads as "\\" included.
    for (const auto& [text, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"①", "\x87\x40"}, {"纊", "\xFA\x5C"}, {"ⅰ", "\xFA\x40"}, {"髙", "\xFB\xFC"}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf8ToCp932(text), bytes);
        EXPECT_EQ(Cp932ToUtf8(bytes), text);
        EXPECT_EQ(Cp932Length(text), 2);
        EXPECT_EQ(Cp932CharacterLength(bytes + "A"), 2u);
        EXPECT_EQ(TruncateToCp932Bytes("A" + text + text, 4), "A" + text);
    }
    // A lead byte stands alone before a byte that cannot follow it and at
    // the end; decoding then replaces it alone and keeps what follows.
    for (const auto& [bytes, length] : std::vector<std::pair<std::string, size_t>>{{"", 0},
                                                                                   {"A", 1},
                                                                                   {"\x81", 1},
                                                                                   {"\x81\x20", 1},
                                                                                   {"\x81\x7F", 1},
                                                                                   {"\x9F\xFC", 2},
                                                                                   {"\xE0\x40", 2},
                                                                                   {"\xFC\x80", 2},
                                                                                   {"\xFD\x40", 1},
                                                                                   {"\xA0\x40", 1}})
        EXPECT_EQ(Cp932CharacterLength(bytes), length) << bytes.size();
    // The NEC selection of the same characters decodes too.
    EXPECT_EQ(Cp932ToUtf8("\xED\x40"), "纊");
    EXPECT_EQ(Cp932ToUtf8("\x81,5"), "\xEF\xBF\xBD,5");
    EXPECT_EQ(Cp932ToUtf8("[\x82\x54]"), "[５]");
}

TEST(MessageText, PlaceholdersTakeTheirArgumentsOnce) {
    EXPECT_EQ(FormatMessage("%1 から %2 までの整数を入力してください。", {"1", "0"}),
              "1 から 0 までの整数を入力してください。");
    // An argument holding a placeholder is not filled in again.
    EXPECT_EQ(FormatMessage("%1 が見つかりません。", {"/tmp/%1%2.qvl"}),
              "/tmp/%1%2.qvl が見つかりません。");
    EXPECT_EQ(FormatMessage("%2-%1-%3", {"a", "b"}), "b-a-%3");
}

TEST(FormTemplate, PixelsFollowTheDialogUnitsOfTheForm) {
    EXPECT_EQ(GridRectangle(), (CRect{77, 54, 366, 248}));
    // Rounding half away from zero: 62 * 7 / 4 = 108.5 becomes 109.
    EXPECT_EQ(DluToPixels({45, 166, 17, 12}), (CRect{79, 249, 109, 267}));
    EXPECT_EQ(FormPixelRect(), (CRect{0, 0, 999, 641}));

    // The screen scroll bar lies between the first and last buttons.
    const CRect scroll = DluToPixels(FindFormControl(IDC_SCREEN_SCROLL)->rect);
    EXPECT_EQ(FormBitmapButtons()[2].rect.right, scroll.left);
    EXPECT_EQ(FormBitmapButtons()[1].rect.left, scroll.right);
}

} // namespace
