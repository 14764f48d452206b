#pragma once

#include "headless/HeadlessSession.h"
#include "TestFiles.h"

#include <string>
#include <vector>

// A freshly started editor without a window, with short names for the
// pieces a test reaches: platform, document, view core and dispatcher.
struct CTestSession {
    CTestSession();

    CHeadlessSession session;
    CHeadlessPlatform& platform;
    CQuorvelDoc& doc;
    CViewCore& view;
    CDispatcher& dispatch;

    CScreenStore& s() { return view.Store(); }

    // Clicks a control or command through the one click path; a push-like
    // check box takes the opposite of its state, as a real click toggles it.
    // Returns false when the view has no handler for `id`.
    bool Click(int id);

    // Screen n of bank b as 48 column words.
    std::vector<Word> Screen(int bank, int n) const;

    // Texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts() const;
};

// The view client pixel at the middle of grid cell (column, row): the grid
// starts at (77, 54), 6 pixels a cell.
inline int CellX(int column) {
    return 77 + 6 * column + 3;
}
inline int CellY(int row) {
    return 54 + 6 * row + 3;
}

// Expects the screens, counters, current bank and screen, preview offset and
// clips of two states to be equal: everything a command may change but the
// macro and the form.
void ExpectSameScreensAndCounters(const CScreenStore& a, const CScreenStore& b);
