#pragma once

#include "TestSession.h"

#include "view/Navigation.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

// A dot of a screen: (column, row).
using Dot = std::pair<int, int>;

// A session whose current bank (select1) holds `count` screens, screen
// `current` current and the form showing it, as the user would have left it.
struct CEffectSession : CTestSession {
    CEffectSession(int count, int current) {
        s().m_screenCount[0] = count;
        s().m_displayedCount[0] = count;
        GoToScreen(view, current);
        doc.SetModifiedFlag(false);
    }

    // Screen n of select1 with the given dots lit and every other dot off.
    void Draw(int n, const std::vector<Dot>& dots) {
        auto words = s().ScreenAt(0, n);
        std::fill(words.begin(), words.end(), Word{0});
        for (const auto& [column, row] : dots)
            SetDot(words.data(), column, row);
    }

    // The lit dots of screen n of select1, column by column.
    std::vector<Dot> Dots(int n) const {
        std::vector<Dot> dots;
        const auto words = view.Store().ScreenAt(0, n);
        for (int column = 0; column < kScreenColumns; ++column)
            for (int row = 0; row < kScreenRows; ++row)
                if (TestDot(words.data(), column, row))
                    dots.emplace_back(column, row);
        return dots;
    }
};

// About half of the dots of a screen, scattered without pattern.
inline std::vector<Dot> ScatteredDots() {
    std::vector<Dot> dots;
    unsigned value = 12345;
    for (int column = 0; column < kScreenColumns; ++column)
        for (int row = 0; row < kScreenRows; ++row) {
            value = value * 1103515245u + 12345u;
            if ((value >> 16) % 2 == 0)
                dots.emplace_back(column, row);
        }
    return dots;
}

// The dot at (column, row), or nullopt when that lies off the screen.
inline std::optional<Dot> Inside(int column, int row) {
    if (column < 0 || column >= kScreenColumns || row < 0 || row >= kScreenRows)
        return std::nullopt;
    return Dot{column, row};
}

// Where each of `dots` stands after `move` (nullopt: it left the screen), in
// the order Dots() lists them.
template <typename Move>
std::vector<Dot> Moved(const std::vector<Dot>& dots, Move move) {
    std::vector<Dot> moved;
    for (const Dot& dot : dots)
        if (const std::optional<Dot> to = move(dot))
            moved.push_back(*to);
    std::sort(moved.begin(), moved.end());
    return moved;
}
