#include "store/ShownScreen.h"

#include "store/ScreenStore.h"

#include <algorithm>

std::array<Word, kWordsPerScreen> ShownScreenWords(const CScreenStore& s) {
    std::array<Word, kWordsPerScreen> words{};
    const int shown = s.ScreenOnDisplay();
    const auto screen = s.ScreenAt(s.m_currentBank, shown);
    std::copy(screen.begin(), screen.end(), words.begin());
    if (s.m_shapeActive && shown == s.m_currentScreen) {
        for (int column = 0; column < kWordsPerScreen; ++column) {
            const Word mask = s.m_shapeMask[static_cast<size_t>(column)];
            Word& word = words[static_cast<size_t>(column)];
            word = s.m_shapeLights ? word | mask : word & ~mask;
        }
    }
    return words;
}
