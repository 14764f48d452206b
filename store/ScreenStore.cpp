#include "store/ScreenStore.h"

#include <algorithm>
#include <cassert>

CScreenStore::CScreenStore() : m_rangeClip(kWordsPerBank, 0) {
    for (auto& bank : m_banks)
        bank.assign(kWordsPerBank, 0);
    m_logFont16.height = -16;
    m_logFont32.height = -32;
}

std::span<Word, kWordsPerScreen> CScreenStore::ScreenAt(int bank, int n) {
    assert(bank >= 0 && bank < kBankCount && n >= 1 && n <= kMaxScreens);
    bank = std::clamp(bank, 0, kBankCount - 1);
    n = std::clamp(n, 1, kMaxScreens);
    return std::span<Word, kWordsPerScreen>(m_banks[bank].data() + (n - 1) * kWordsPerScreen,
                                            kWordsPerScreen);
}

std::span<const Word, kWordsPerScreen> CScreenStore::ScreenAt(int bank, int n) const {
    return const_cast<CScreenStore*>(this)->ScreenAt(bank, n);
}

std::span<Word, kWordsPerScreen> CScreenStore::CurrentScreenWords() {
    return ScreenAt(m_currentBank, m_currentScreen);
}
