#pragma once

#include "store/ScreenGeometry.h"

#include <array>

class CScreenStore;

// What the grid shows, for everything that shows the same (the grid, the
// sign window, live output): read from the state, never written. The number
// of the screen on display is CScreenStore::ScreenOnDisplay().

// The 48 column words on display: that screen of the current bank, with the
// line or rectangle being dragged drawn in (lit, or cleared) as the release
// will draw it, while the current screen is the one on display.
std::array<Word, kWordsPerScreen> ShownScreenWords(const CScreenStore& s);
