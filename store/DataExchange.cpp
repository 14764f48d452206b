#include "store/DataExchange.h"

#include "store/CommandIds.h"
#include "store/Cp932.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ScreenStore.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <iterator>
#include <string>

namespace {

// Reads the form into the fields; returns false at the first failing check.
class CReader {
public:
    CReader(CScreenStore& store, CPlatform& platform) : s(store), p(platform) {}

    bool Run() {
        const CFormValues& f = s.m_form;
        if (!Int(IDC_CURRENT_SCREEN, f.currentScreen, s.m_currentScreen, 1, kMaxScreens))
            return false;
        if (!Text(IDC_TEXT16, f.text16, s.m_text16, kText16MaxBytes))
            return false;
        s.m_recording = f.recording ? 1 : 0;
        if (!Int(IDC_STEP_COUNT, f.stepCount, s.m_stepCount, INT_MIN, INT_MAX) ||
            !Int(IDC_BREAK_STEP, f.breakStep, s.m_breakStep, INT_MIN, INT_MAX))
            return false;
        if (!Text(IDC_TEXT32, f.text32, s.m_text32, kText32MaxBytes))
            return false;
        s.m_breakFlag = f.breakFlag ? 1 : 0;
        const int countIds[] = {IDC_BANK1_COUNT, IDC_BANK2_COUNT, IDC_BANK3_COUNT};
        const int currentIds[] = {IDC_BANK1_CURRENT, IDC_BANK2_CURRENT, IDC_BANK3_CURRENT};
        for (int bank = 0; bank < kBankCount; ++bank)
            if (!Int(countIds[bank], f.screenCounts[bank], s.m_displayedCount[bank], 0,
                     kMaxScreens))
                return false;
        for (int bank = 0; bank < kBankCount; ++bank)
            if (!Int(currentIds[bank], f.bankCurrents[bank], s.m_bankCurrent[bank], 1, kMaxScreens))
                return false;
        const int count = s.CurrentScreenCount();
        if (s.m_currentScreen < 1 || s.m_currentScreen > count) {
            p.MessageBox(FormatMessage("%1 から %2 までの整数を入力してください。",
                                       {"1", std::to_string(count)}),
                         kAppCaption, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        // No pressed bank button (only before the form was first filled) keeps the bank.
        if (f.bankRadio >= 0 && f.bankRadio < kBankCount)
            s.m_currentBank = f.bankRadio;
        return true;
    }

private:
    // An integer edit. Values outside [lo, hi] can only come from a broken
    // form; they are pulled back so that no screen outside the banks is
    // ever addressed.
    bool Int(int id, const std::string& text, int& field, int lo, int hi) {
        const std::optional<int> value = ParseFormInt(text);
        if (!value)
            return Fail(id, "整数を入力してください。");
        field = std::clamp(*value, lo, hi);
        return true;
    }

    bool Text(int id, const std::string& text, std::string& field, int maxBytes) {
        field = text;
        if (Cp932Length(text) > maxBytes)
            return Fail(
                id, FormatMessage("%1 文字以内で入力してください。", {std::to_string(maxBytes)}));
        return true;
    }

    bool Fail(int id, const std::string& message) {
        p.MessageBox(message, kAppCaption, MB_OK | MB_ICONEXCLAMATION);
        p.FocusControl(id);
        return false;
    }

    CScreenStore& s;
    CPlatform& p;
};

// Writes the decimal text of `value` into an edit's text. Every command
// writes the whole form back, so this formats in place, without the
// temporary string of std::to_string.
void WriteInt(std::string& text, int value) {
    char digits[16];
    const std::to_chars_result end = std::to_chars(std::begin(digits), std::end(digits), value);
    text.assign(digits, end.ptr);
}

void Write(CScreenStore& s) {
    CFormValues& f = s.m_form;
    WriteInt(f.currentScreen, s.m_currentScreen);
    f.text16 = s.m_text16;
    f.recording = s.m_recording != 0;
    WriteInt(f.stepCount, s.m_stepCount);
    WriteInt(f.breakStep, s.m_breakStep);
    f.text32 = s.m_text32;
    f.breakFlag = s.m_breakFlag != 0;
    for (int bank = 0; bank < kBankCount; ++bank) {
        WriteInt(f.screenCounts[bank], s.m_displayedCount[bank]);
        WriteInt(f.bankCurrents[bank], s.m_bankCurrent[bank]);
    }
    f.bankRadio = s.m_currentBank;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<int> ParseFormInt(std::string_view text) {
    // The usual text, as the form writes it: digits alone, few enough that
    // no clamp applies. Leading zeros read as the general walk reads them.
    if (!text.empty() && text.size() <= 9) {
        int value = 0;
        size_t pos = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
            value = value * 10 + (text[pos++] - '0');
        if (pos == text.size())
            return value;
    }
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    const char first = pos < text.size() ? text[pos] : '\0';
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    const size_t digitsStart = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = std::min<long long>(value * 10 + (text[pos] - '0'), 1LL << 40);
        ++pos;
    }
    if (pos == digitsStart)
        return std::nullopt;
    value = std::clamp<long long>(negative ? -value : value, INT_MIN, INT_MAX);
    // A zero counts only when the text starts with the digit itself: "+0"
    // and "-0" are refused, as the form has always refused them.
    if (value == 0 && first != '0')
        return std::nullopt;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (pos != text.size())
        return std::nullopt;
    return static_cast<int>(value);
}

bool ExchangeData(CScreenStore& store, CPlatform& platform, bool saveAndValidate) {
    if (saveAndValidate)
        return CReader(store, platform).Run();
    Write(store);
    platform.ControlsChanged();
    return true;
}
