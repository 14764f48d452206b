#pragma once

#include <cstdint>

// The units of an animation: a column word holds the 32 dots of one column
// (bit 31 is the top row), a screen is 48 column words, a bank 800 screens.

using Word = std::uint32_t;

inline constexpr int kBankCount = 3;
inline constexpr int kScreenColumns = 48;
inline constexpr int kScreenRows = 32;
inline constexpr int kWordsPerScreen = kScreenColumns;
inline constexpr int kMaxScreens = 800;
inline constexpr int kWordsPerBank = kMaxScreens * kWordsPerScreen;
inline constexpr int kScreenBytes = kWordsPerScreen * 4;
inline constexpr int kMaxAnimationBytes = kMaxScreens * kScreenBytes;

// The bit of a column word that holds row `row` (0 = top).
constexpr Word DotMask(int row) {
    return Word{0x80000000u} >> row;
}

// Whether the dot at (column, row) of the 48-word screen is lit.
inline bool TestDot(const Word* screen, int column, int row) {
    return (screen[column] & DotMask(row)) != 0;
}

// Lights the dot at (column, row) of the 48-word screen.
inline void SetDot(Word* screen, int column, int row) {
    screen[column] |= DotMask(row);
}

// Darkens the dot at (column, row) of the 48-word screen.
inline void ClearDot(Word* screen, int column, int row) {
    screen[column] &= ~DotMask(row);
}
