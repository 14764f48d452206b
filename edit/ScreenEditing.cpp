#include "edit/ScreenEditing.h"

#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>

void BeginScreenEdit(CViewCore& view) {
    view.UpdateData(true);
    view.Store().m_previewOffset = 0;
}

int ScreensToLast(const CScreenStore& store) {
    return std::max(0, store.CurrentScreenCount() - store.m_currentScreen + 1);
}

void ShowScreenCount(CViewCore& view, int bank) {
    CScreenStore& s = view.Store();
    s.m_displayedCount[bank] = s.m_screenCount[bank];
    view.UpdateData(false);
    view.Platform().SetScrollRange(1, s.CurrentScreenCount());
}

void ShowWrittenScreens(CViewCore& view, int first, int last) {
    CScreenStore& s = view.Store();
    const int bank = s.m_currentBank;
    s.m_previewOffset = 0;
    s.m_currentScreen = first;
    s.m_bankCurrent[bank] = first;
    s.m_screenCount[bank] = std::max(s.m_screenCount[bank], last);
    ShowScreenCount(view, bank);
    view.Platform().SetScrollPos(first);
    view.RepaintGrid();
    view.SetModifiedFlag();
}

bool IsPlayingBack(const CViewCore& view) {
    return view.Store().m_playback != 0;
}
