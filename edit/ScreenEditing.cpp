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

bool IsPlayingBack(const CViewCore& view) {
    return view.Store().m_playback != 0;
}
