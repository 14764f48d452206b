#include "effects/BitMoves.h"

#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "store/ScreenStore.h"
#include "store/ViewCore.h"

#include <algorithm>

namespace {

constexpr int kWideMove = 16;

// Moves the current screen's columns `columns` to the left (negative: to the
// right) and clears the columns that open up.
void MoveColumns(CViewCore& view, int columns) {
    const auto screen = view.Store().CurrentScreenWords();
    if (columns > 0) {
        std::copy(screen.begin() + columns, screen.end(), screen.begin());
        std::fill(screen.end() - columns, screen.end(), Word{0});
    } else {
        std::copy_backward(screen.begin(), screen.end() + columns, screen.end());
        std::fill(screen.begin(), screen.begin() - columns, Word{0});
    }
    view.RepaintGrid();
}

// Moves the current screen's rows one up (or down) and clears the row that
// opens up.
void MoveRow(CViewCore& view, bool up) {
    for (Word& word : view.Store().CurrentScreenWords())
        word = up ? word << 1 : word >> 1;
    view.RepaintGrid();
}

// What every notification of a bit-move scroll bar ends with. Windows sends
// SB_ENDSCROLL after each arrow click, so this runs for moves and non-moves
// alike.
void EndBitScroll(CViewCore& view) {
    view.RepaintGrid();
    view.SetModifiedFlag();
}

} // namespace

bool BitUp(CViewCore& view) {
    MoveRow(view, true);
    return true;
}

bool BitDown(CViewCore& view) {
    MoveRow(view, false);
    return true;
}

bool BitLeft(CViewCore& view) {
    MoveColumns(view, 1);
    return true;
}

bool BitRight(CViewCore& view) {
    MoveColumns(view, -1);
    return true;
}

bool MoveLeft16(CViewCore& view) {
    MoveColumns(view, kWideMove);
    view.SetModifiedFlag();
    return true;
}

bool MoveRight16(CViewCore& view) {
    MoveColumns(view, -kWideMove);
    view.SetModifiedFlag();
    return true;
}

void OnBitVScroll(CViewCore& view, int code, int /*thumbPosition*/) {
    if (code == SB_LINEUP) {
        BitUp(view);
        RecordStep(view, EStep::BitUp);
    } else if (code == SB_LINEDOWN) {
        BitDown(view);
        RecordStep(view, EStep::BitDown);
    }
    EndBitScroll(view);
}

void OnBitHScroll(CViewCore& view, int code, int /*thumbPosition*/) {
    if (code == SB_LINELEFT) {
        BitLeft(view);
        RecordStep(view, EStep::BitLeft);
    } else if (code == SB_LINERIGHT) {
        BitRight(view);
        RecordStep(view, EStep::BitRight);
    }
    EndBitScroll(view);
}
