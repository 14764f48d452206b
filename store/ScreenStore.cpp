#include "store/ScreenStore.h"

#include <algorithm>
#include <cassert>

CScreenStore::CScreenStore() {
    m_logFont16.height = -16;
    m_logFont32.height = -32;
}

std::span<Word, kWordsPerScreen> CScreenStore::ScreenAt(int bank, int n) {
    assert(bank >= 0 && bank < kBankCount && n >= 1 && n <= kMaxScreens);
    bank = std::clamp(bank, 0, kBankCount - 1);
    n = std::clamp(n, 1, kMaxScreens);
    return m_banks[bank].Screen(n);
}

std::span<const Word, kWordsPerScreen> CScreenStore::ScreenAt(int bank, int n) const {
    assert(bank >= 0 && bank < kBankCount && n >= 1 && n <= kMaxScreens);
    return m_banks[std::clamp(bank, 0, kBankCount - 1)].Screen(n);
}

std::span<Word> CScreenStore::ScreensAt(int bank, int first, int count) {
    assert(bank >= 0 && bank < kBankCount);
    return m_banks[std::clamp(bank, 0, kBankCount - 1)].Screens(first, count);
}

int CScreenStore::ScreenOnDisplay() const {
    return std::clamp(m_currentScreen + m_previewOffset, 1, kMaxScreens);
}

std::span<Word, kWordsPerScreen> CScreenStore::CurrentScreenWords() {
    return ScreenAt(m_currentBank, m_currentScreen);
}
