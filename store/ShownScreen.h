#pragma once

#include "store/ScreenGeometry.h"

#include <array>

class CScreenStore;

// What the grid shows, for everything that shows the same (the grid, the
// sign window, the filmstrip's mark, live output): read from the state, never
// written.

// The number of the screen on display: the current screen plus the preview
// offset, kept within 1..800 (CScreenStore::ScreenOnDisplay).
int ShownScreenNumber(const CScreenStore& s);

// The 48 column words on display: that screen of the current bank, with the
// line or rectangle being dragged drawn in (lit, or cleared) as the release
// will draw it, while the current screen is the one on display.
std::array<Word, kWordsPerScreen> ShownScreenWords(const CScreenStore& s);
