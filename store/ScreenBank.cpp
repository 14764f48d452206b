#include "store/ScreenBank.h"

#include "store/UndoJournal.h"

#include <algorithm>
#include <cassert>

CScreenBank::CScreenBank() : m_words(kWordsPerBank, 0) {}

CScreenBank::CScreenBank(const CScreenBank& other) : m_words(other.m_words) {}

CScreenBank& CScreenBank::operator=(const CScreenBank& other) {
    if (this != &other) {
        TouchAll();
        std::copy(other.m_words.begin(), other.m_words.end(), m_words.begin());
    }
    return *this;
}

void CScreenBank::assign(size_type count, Word value) {
    assert(count == m_words.size());
    (void)count;
    std::fill(begin(), end(), value);
}

std::span<Word, kWordsPerScreen> CScreenBank::Screen(int n) {
    n = std::clamp(n, 1, kMaxScreens);
    if (m_journal != nullptr && !IsNoted(n - 1))
        Touch(n - 1, 1);
    return std::span<Word, kWordsPerScreen>(m_words.data() + (n - 1) * kWordsPerScreen,
                                            kWordsPerScreen);
}

std::span<const Word, kWordsPerScreen> CScreenBank::Screen(int n) const {
    n = std::clamp(n, 1, kMaxScreens);
    return std::span<const Word, kWordsPerScreen>(m_words.data() + (n - 1) * kWordsPerScreen,
                                                  kWordsPerScreen);
}

std::span<Word> CScreenBank::Screens(int first, int count) {
    const int from = std::clamp(first, 1, kMaxScreens + 1);
    const int to = std::clamp(first + std::max(count, 0), 1, kMaxScreens + 1);
    if (to <= from)
        return {};
    Touch(from - 1, to - from);
    return {m_words.data() + (from - 1) * kWordsPerScreen,
            static_cast<size_t>(to - from) * kWordsPerScreen};
}

std::span<const Word> CScreenBank::Screens(int first, int count) const {
    const int from = std::clamp(first, 1, kMaxScreens + 1);
    const int to = std::clamp(first + std::max(count, 0), 1, kMaxScreens + 1);
    if (to <= from)
        return {};
    return {m_words.data() + (from - 1) * kWordsPerScreen,
            static_cast<size_t>(to - from) * kWordsPerScreen};
}

void CScreenBank::StartJournal(CUndoJournal& journal, int buffer) {
    m_journal = &journal;
    m_buffer = buffer;
    m_allNoted = false;
    m_noted.fill(0);
}

void CScreenBank::StopJournal() {
    m_journal = nullptr;
}

void CScreenBank::SwapScreens(int first, int count, Word* words) {
    assert(first >= 0 && count >= 0 && first + count <= kMaxScreens);
    std::swap_ranges(words, words + static_cast<size_t>(count) * kWordsPerScreen,
                     m_words.begin() + static_cast<std::ptrdiff_t>(first) * kWordsPerScreen);
}

void CScreenBank::Touch(int first, int count) {
    if (m_journal == nullptr || m_allNoted)
        return;
    // Runs of screens not yet noted go to the journal whole, so that a loop
    // writing screen after screen, or one call for a range, makes one run.
    const int end = first + count;
    int screen = first;
    while (screen < end) {
        while (screen < end && IsNoted(screen))
            ++screen;
        const int runStart = screen;
        while (screen < end && !IsNoted(screen)) {
            m_noted[screen / 64] |= std::uint64_t{1} << (screen % 64);
            ++screen;
        }
        if (screen > runStart)
            m_journal->Save(m_buffer, runStart, screen - runStart,
                            m_words.data() + static_cast<size_t>(runStart) * kWordsPerScreen);
    }
}

void CScreenBank::TouchAll() {
    if (m_journal == nullptr || m_allNoted)
        return;
    const bool noneNoted =
        std::all_of(m_noted.begin(), m_noted.end(), [](std::uint64_t bits) { return bits == 0; });
    // Nothing noted yet: the whole bank goes in one copy.
    if (noneNoted) {
        m_journal->Save(m_buffer, 0, kMaxScreens, m_words.data());
        m_noted.fill(~std::uint64_t{0});
    } else {
        Touch(0, kMaxScreens);
    }
    m_allNoted = true;
}
