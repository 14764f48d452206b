#pragma once

#include "store/ScreenGeometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CUndoJournal;

// The 800 screens of a bank (or of the range clip): 38400 column words that
// read like a std::vector<Word>. While an undo record is open every way of
// writing them first hands the old words of the screens about to change to
// the record's journal, once per screen: Screen and Screens note only the
// screens they give out, the index operator the screen of its word, and
// data(), begin(), end(), the vector reference and assignment the whole bank
// (the costly way, for writers that take the raw words). Const access notes
// nothing.
class CScreenBank {
public:
    using value_type = Word;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    using reference = Word&;
    using const_reference = const Word&;
    using pointer = Word*;
    using const_pointer = const Word*;
    using iterator = Word*;
    using const_iterator = const Word*;

    // 800 blank screens.
    CScreenBank();
    // A copy takes the words only; it is not part of any open record.
    // Assigning to a bank notes all of it.
    CScreenBank(const CScreenBank& other);
    CScreenBank& operator=(const CScreenBank& other);
    ~CScreenBank() = default;

    // As std::vector<Word>; the non-const forms note what they may write.
    size_type size() const { return m_words.size(); }
    bool empty() const { return m_words.empty(); }

    const Word* data() const { return m_words.data(); }
    Word* data() {
        TouchAll();
        return m_words.data();
    }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size(); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    iterator begin() { return data(); }
    iterator end() { return data() + size(); }

    const Word& operator[](size_type index) const { return m_words[index]; }
    Word& operator[](size_type index) {
        if (m_journal != nullptr) {
            const int screen = static_cast<int>(index / kWordsPerScreen);
            if (!IsNoted(screen))
                Touch(screen, 1);
        }
        return m_words[index];
    }

    // Fills the bank with `value`; `count` must be the bank's size.
    void assign(size_type count, Word value);

    // The 48 words of screen n (1..800); n outside is pulled into range.
    // The span is that screen only: writers of several take Screens.
    std::span<Word, kWordsPerScreen> Screen(int n);
    std::span<const Word, kWordsPerScreen> Screen(int n) const;

    // The words of `count` screens from screen `first` (1-based), cut to the
    // bank; an empty span when nothing of the range lies in it.
    std::span<Word> Screens(int first, int count);
    std::span<const Word> Screens(int first, int count) const;

    // Undo: from now on writes save old words into `journal` as buffer
    // `buffer`, until StopJournal.
    void StartJournal(CUndoJournal& journal, int buffer);
    void StopJournal();
    // Whether screen index `screen` (0-based) was handed to the journal
    // since StartJournal.
    bool WasNoted(int screen) const { return m_allNoted || IsNoted(screen); }

    // Swaps the words of `count` screens from screen index `first` (0-based)
    // with `words`, unnoted: how undo and redo put saved screens back.
    void SwapScreens(int first, int count, Word* words);

    // The words as a vector. A writer that takes the bank as a
    // std::vector<Word>& gets the whole bank noted, as with data(); the
    // reference must not outlive the operation that took it, nor change
    // the vector's size.
    operator const std::vector<Word>&() const { return m_words; }
    operator std::vector<Word>&() {
        TouchAll();
        return m_words;
    }
    friend bool operator==(const CScreenBank& a, const CScreenBank& b) {
        return a.m_words == b.m_words;
    }
    friend bool operator==(const CScreenBank& a, const std::vector<Word>& b) {
        return a.m_words == b;
    }

private:
    static constexpr int kMaskWords = (kMaxScreens + 63) / 64;

    // Hands the old words of the not yet noted screens among `count` screens
    // from screen index `first` (0-based) to the journal.
    void Touch(int first, int count);
    void TouchAll();
    bool IsNoted(int screen) const { return (m_noted[screen / 64] >> (screen % 64) & 1u) != 0; }

    std::vector<Word> m_words;
    CUndoJournal* m_journal = nullptr;
    int m_buffer = 0;
    bool m_allNoted = false;
    std::array<std::uint64_t, kMaskWords> m_noted{};
};
