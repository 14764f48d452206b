#include "view/Navigation.h"

#include "macro/MacroRecorder.h"
#include "store/CommandIds.h"
#include "store/FormValues.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kPageSize = 5;
constexpr int kResetScreens = 10;

// Shows `screen` as the current screen of the current bank.
void ShowCurrent(CViewCore& view, int screen) {
    CScreenStore& s = view.Store();
    s.m_currentScreen = screen;
    s.m_bankCurrent[s.m_currentBank] = screen;
    view.UpdateData(false);
}

} // namespace

void OnScreenScroll(CViewCore& view, int code, int thumbPosition) {
    CScreenStore& s = view.Store();
    if (s.m_previewOffset != 0)
        s.m_currentScreen = s.ScreenOnDisplay();
    int p = s.m_currentScreen;
    s.m_scrollPos = p;
    s.m_previewOffset = 0;
    view.Platform().SetScrollPos(p);

    const int count = s.CurrentScreenCount();
    bool moved = false;
    switch (code) {
    case SB_LINELEFT:
        if (p > 1) {
            p -= 1;
            moved = true;
        }
        break;
    case SB_LINERIGHT:
        if (p < count) {
            p += 1;
            moved = true;
        }
        break;
    case SB_PAGELEFT:
        if (p > 1) {
            p = std::max(1, p - kPageSize);
            moved = true;
        }
        break;
    case SB_PAGERIGHT:
        if (p < count) {
            p = std::min(count, p + kPageSize);
            moved = true;
        }
        break;
    case SB_THUMBTRACK:
        p = std::clamp(thumbPosition, 1, kMaxScreens);
        moved = true;
        break;
    default:
        break;
    }
    s.m_scrollPos = p;
    if (moved)
        RecordGoToScreen(view, p);
    ShowCurrent(view, p);
    view.RepaintGrid();
}

bool NextScreen(CViewCore& view) {
    OnScreenScroll(view, SB_LINERIGHT, 0);
    OnScreenScroll(view, SB_ENDSCROLL, 0);
    return true;
}

bool PreviousScreen(CViewCore& view) {
    OnScreenScroll(view, SB_LINELEFT, 0);
    OnScreenScroll(view, SB_ENDSCROLL, 0);
    return true;
}

bool GoToFirst(CViewCore& view) {
    CScreenStore& s = view.Store();
    view.Platform().SetScrollPos(1);
    s.m_previewOffset = 0;
    ShowCurrent(view, 1);
    view.RepaintGrid();
    return true;
}

bool GoToLast(CViewCore& view) {
    CScreenStore& s = view.Store();
    const int last = std::max(1, s.CurrentScreenCount());
    view.Platform().SetScrollPos(last);
    s.m_previewOffset = 0;
    ShowCurrent(view, last);
    view.RepaintGrid();
    return true;
}

void SelectBank(CViewCore& view, int bank) {
    CScreenStore& s = view.Store();
    bank = std::clamp(bank, 0, kBankCount - 1);
    view.UpdateData(true);
    s.m_previewOffset = 0;
    s.m_currentBank = bank;
    s.m_bankCurrent[s.m_previousBank] = s.m_currentScreen;
    s.m_previousBank = bank;
    s.m_displayedCount[bank] = s.m_screenCount[bank];
    s.m_currentScreen = std::clamp(s.m_bankCurrent[bank], 1, kMaxScreens);
    CPlatform& platform = view.Platform();
    platform.SetScrollRange(1, s.m_screenCount[bank]);
    platform.SetScrollPos(s.m_currentScreen);
    view.UpdateData(false);
    view.RepaintGrid();
}

bool Select1(CViewCore& view) {
    SelectBank(view, 0);
    return true;
}

bool Select2(CViewCore& view) {
    SelectBank(view, 1);
    return true;
}

bool Select3(CViewCore& view) {
    SelectBank(view, 2);
    return true;
}

void GoToScreen(CViewCore& view, int screen) {
    screen = std::clamp(screen, 1, kMaxScreens);
    view.Platform().SetScrollPos(screen);
    ShowCurrent(view, screen);
}

bool Reset(CViewCore& view) {
    CPlatform& platform = view.Platform();
    if (platform.MessageBox("ＲＥＳＥＴしますか？", "確認", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return true;
    CScreenStore& s = view.Store();
    s.m_currentBank = 0;
    // The bank on display is select1 from now on; the next bank selection
    // must save select1's current screen, not that of the bank left before.
    s.m_previousBank = 0;
    s.m_currentScreen = 1;
    for (int bank = 0; bank < kBankCount; ++bank) {
        s.m_displayedCount[bank] = kResetScreens;
        s.m_bankCurrent[bank] = 1;
        s.m_screenCount[bank] = kResetScreens;
        std::fill(s.m_banks[bank].begin(), s.m_banks[bank].end(), Word{0});
    }
    s.m_screenClip.fill(0);
    std::fill(s.m_rangeClip.begin(), s.m_rangeClip.end(), Word{0});
    platform.SetScrollRange(1, kResetScreens);
    platform.SetScrollPos(1);
    view.UpdateData(false);
    view.RepaintGrid();
    return true;
}

void TakeScreenOnDisplay(CViewCore& view) {
    CScreenStore& s = view.Store();
    if (s.m_previewOffset == 0)
        return;
    const int shown = s.ScreenOnDisplay();
    s.m_previewOffset = 0;
    s.m_currentScreen = shown;
    s.m_scrollPos = shown;
    s.m_bankCurrent[s.m_currentBank] = shown;
    view.Platform().SetScrollPos(shown);
    if (s.m_insertPos >= 0 || s.m_recording != 1 || s.m_playback != 0)
        return;
    // Recording shows the new step count through the whole form, which would
    // put back the fields over what the user typed since a command last read
    // the boxes; the command about to run must read what was typed.
    const CFormValues typed = s.m_form;
    RecordGoToScreen(view, shown);
    const std::string stepCount = s.m_form.stepCount;
    s.m_form = typed;
    s.m_form.stepCount = stepCount;
    view.Platform().ControlsChanged();
}
