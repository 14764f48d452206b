#include "view/Preview.h"

#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>

bool TogglePreview(CViewCore& view) {
    CScreenStore& s = view.Store();
    const bool start = s.m_previewFlag == 0;
    view.Platform().SetPreviewTimer(start);
    s.m_previewFlag = start ? 1 : 0;
    return true;
}

void PreviewTick(CViewCore& view) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    const int current = s.m_currentScreen;
    s.m_previewOffset += 1;
    if (s.m_previewOffset > s.CurrentScreenCount() - current) {
        s.m_previewOffset = 0;
        platform.SetPreviewTimer(false);
        s.m_previewFlag = 0;
    }
    const int shown = current + s.m_previewOffset;
    s.m_bankCurrent[s.m_currentBank] = shown;
    // The boxes show the screen on display; the current screen stays.
    s.m_currentScreen = shown;
    view.UpdateData(false);
    s.m_currentScreen = current;
    platform.SetScrollPos(shown);
    view.RepaintGrid();
}

bool SetPreviewInterval(CViewCore& view, int intervalMs) {
    if (std::find(kPreviewIntervals.begin(), kPreviewIntervals.end(), intervalMs) ==
        kPreviewIntervals.end())
        return false;
    CScreenStore& s = view.Store();
    s.m_previewInterval = intervalMs;
    if (s.m_previewFlag != 0)
        view.Platform().SetPreviewTimer(true);
    return true;
}
