#include "edit/SpaceCommands.h"

#include "edit/ScreenEditing.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <span>

namespace {

// Where screen index k (0-based) of a run of screens starts.
Word* ScreenOfRun(std::span<Word> run, int k) {
    return run.data() + static_cast<std::ptrdiff_t>(k) * kWordsPerScreen;
}

void FinishSpaceEdit(CViewCore& view) {
    ShowScreenCount(view, view.Store().m_currentBank);
    view.RepaintGrid();
    if (!IsPlayingBack(view))
        view.SetModifiedFlag();
}

// After a screen has gone: the current screen stays on the bank, and the
// bank remembers it.
void KeepCurrentInBank(CScreenStore& s) {
    s.m_currentScreen = std::min(s.m_currentScreen, s.CurrentScreenCount());
    s.m_bankCurrent[s.m_currentBank] = s.m_currentScreen;
}

// A delete that had nothing to remove still marks the document on a click.
bool NothingToDelete(CViewCore& view) {
    if (!IsPlayingBack(view))
        view.SetModifiedFlag();
    return false;
}

} // namespace

bool InsertSpace(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    int& count = s.m_screenCount[s.m_currentBank];
    if (count >= kMaxScreens) {
        // The player shows the message too: the step could not do its work.
        view.CheckCapacity(count + 1);
        return false;
    }
    const int current = s.m_currentScreen;
    // The screens from the current one to the new last move back; a current
    // screen past the count is only blanked. Taking just these keeps an open
    // undo record to them.
    const int moved = std::max(count - current + 1, 0);
    const std::span<Word> run = s.ScreensAt(s.m_currentBank, current, moved + 1);
    std::copy_backward(ScreenOfRun(run, 0), ScreenOfRun(run, moved), ScreenOfRun(run, moved + 1));
    std::fill_n(ScreenOfRun(run, 0), kWordsPerScreen, Word{0});
    ++count;
    FinishSpaceEdit(view);
    return true;
}

bool AppendSpace(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    int& count = s.m_screenCount[s.m_currentBank];
    if (count >= kMaxScreens) {
        if (!IsPlayingBack(view))
            view.CheckCapacity(count + 1);
        return false;
    }
    ++count;
    const auto screen = s.ScreenAt(s.m_currentBank, count);
    std::fill(screen.begin(), screen.end(), Word{0});
    FinishSpaceEdit(view);
    return true;
}

bool DeleteSpace(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    int& count = s.m_screenCount[s.m_currentBank];
    if (count <= 1)
        return NothingToDelete(view);
    const int current = s.m_currentScreen;
    // The old last screen's words stay behind the new count, like those of
    // every screen past the count.
    if (current < count) {
        const std::span<Word> run = s.ScreensAt(s.m_currentBank, current, count - current + 1);
        std::copy(ScreenOfRun(run, 1), ScreenOfRun(run, count - current + 1), ScreenOfRun(run, 0));
    }
    --count;
    KeepCurrentInBank(s);
    FinishSpaceEdit(view);
    return true;
}

bool DropLastScreen(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    int& count = s.m_screenCount[s.m_currentBank];
    if (count <= 1)
        return NothingToDelete(view);
    --count;
    KeepCurrentInBank(s);
    FinishSpaceEdit(view);
    return true;
}
