#include "edit/SpaceCommands.h"

#include "edit/ScreenEditing.h"
#include "store/ViewCore.h"

#include <algorithm>

namespace {

// Where screen n (1-based) of `bank` starts.
std::vector<Word>::iterator ScreenStart(std::vector<Word>& bank, int n) {
    return bank.begin() + static_cast<std::ptrdiff_t>(n - 1) * kWordsPerScreen;
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
    std::vector<Word>& bank = s.m_banks[s.m_currentBank];
    const int current = s.m_currentScreen;
    if (current <= count)
        std::copy_backward(ScreenStart(bank, current), ScreenStart(bank, count + 1),
                           ScreenStart(bank, count + 2));
    std::fill_n(ScreenStart(bank, current), kWordsPerScreen, Word{0});
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
    std::fill_n(ScreenStart(s.m_banks[s.m_currentBank], count), kWordsPerScreen, Word{0});
    FinishSpaceEdit(view);
    return true;
}

bool DeleteSpace(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    int& count = s.m_screenCount[s.m_currentBank];
    if (count <= 1)
        return NothingToDelete(view);
    std::vector<Word>& bank = s.m_banks[s.m_currentBank];
    const int current = s.m_currentScreen;
    // The old last screen's words stay behind the new count, like those of
    // every screen past the count.
    if (current < count)
        std::copy(ScreenStart(bank, current + 1), ScreenStart(bank, count + 1),
                  ScreenStart(bank, current));
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
