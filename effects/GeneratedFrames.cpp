#include "effects/GeneratedFrames.h"

#include "store/Platform.h"

int BeginFrameRun(CViewCore& view, int frames) {
    CScreenStore& s = view.Store();
    // A failed check has already shown its message; the effect still starts
    // from whatever current screen the form gave, as the form always did.
    view.UpdateData(true);
    s.m_previewOffset = 0;
    if (!view.CheckCapacity(s.m_currentScreen + frames))
        return 0;
    return s.m_currentScreen;
}

void EndFrameRun(CViewCore& view, int current, int frames) {
    CScreenStore& s = view.Store();
    const int bank = s.m_currentBank;
    if (s.m_screenCount[bank] < current + frames)
        s.m_screenCount[bank] = current + frames;
    s.m_displayedCount[bank] = s.m_screenCount[bank];
    view.UpdateData(false);
    view.Platform().SetScrollRange(1, s.m_screenCount[bank]);
    view.RepaintGrid();
}
