#include "edit/ClipCommands.h"

#include "edit/ScreenEditing.h"
#include "store/ViewCore.h"

#include <algorithm>

namespace {

// The words of `count` screens of the current bank from the current screen.
std::span<Word> CurrentRun(CScreenStore& s, int count) {
    const size_t first = static_cast<size_t>(s.m_currentScreen - 1) * kWordsPerScreen;
    return std::span<Word>(s.m_banks[s.m_currentBank])
        .subspan(first, static_cast<size_t>(count) * kWordsPerScreen);
}

// Copies the current screen to the last into the range clip; the run taken.
std::span<Word> TakeRange(CScreenStore& s) {
    const int count = ScreensToLast(s);
    s.m_rangeClipCount = count;
    const std::span<Word> run = CurrentRun(s, count);
    std::copy(run.begin(), run.end(), s.m_rangeClip.begin());
    return run;
}

// Inverts whole screens. The loop goes screen by screen: a fixed count of 48
// words per screen is what the compiler vectorizes at every optimization
// level, where a loop over a run of unknown length stays word by word at -O2.
void Invert(std::span<Word> words) {
    for (size_t at = 0; at < words.size(); at += kWordsPerScreen) {
        Word* const screen = words.data() + at;
        for (int column = 0; column < kWordsPerScreen; ++column)
            screen[column] = ~screen[column];
    }
}

// A copy changes nothing on view, so a click does not repaint; the player
// repaints after every step of these commands all the same.
void RepaintAfterCopy(CViewCore& view) {
    if (IsPlayingBack(view))
        view.RepaintGrid();
}

void FinishReverse(CViewCore& view) {
    view.RepaintGrid();
    if (!IsPlayingBack(view))
        view.SetModifiedFlag();
}

} // namespace

bool CopyScreen(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    const auto screen = s.CurrentScreenWords();
    std::copy(screen.begin(), screen.end(), s.m_screenClip.begin());
    RepaintAfterCopy(view);
    return true;
}

bool CopyRange(CViewCore& view) {
    BeginScreenEdit(view);
    TakeRange(view.Store());
    RepaintAfterCopy(view);
    return true;
}

bool CutScreen(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    const auto screen = s.CurrentScreenWords();
    std::copy(screen.begin(), screen.end(), s.m_screenClip.begin());
    std::fill(screen.begin(), screen.end(), Word{0});
    view.RepaintGrid();
    return true;
}

bool CutRange(CViewCore& view) {
    BeginScreenEdit(view);
    const std::span<Word> run = TakeRange(view.Store());
    std::fill(run.begin(), run.end(), Word{0});
    view.RepaintGrid();
    return true;
}

bool PasteScreen(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    std::copy(s.m_screenClip.begin(), s.m_screenClip.end(), s.CurrentScreenWords().begin());
    view.RepaintGrid();
    return true;
}

bool PasteRange(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    const int count = std::clamp(s.m_rangeClipCount, 0, kMaxScreens);
    const int last = s.m_currentScreen + count - 1;
    if (!view.CheckCapacity(last))
        return false;
    std::copy_n(s.m_rangeClip.begin(), static_cast<size_t>(count) * kWordsPerScreen,
                CurrentRun(s, count).begin());
    int& screens = s.m_screenCount[s.m_currentBank];
    screens = std::max(screens, last);
    ShowScreenCount(view, s.m_currentBank);
    view.RepaintGrid();
    return true;
}

bool ReverseScreen(CViewCore& view) {
    BeginScreenEdit(view);
    Invert(view.Store().CurrentScreenWords());
    FinishReverse(view);
    return true;
}

bool ReverseRange(CViewCore& view) {
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    const int count = ScreensToLast(s);
    // The clip's screens stay as they are: only the count follows the run.
    s.m_rangeClipCount = count;
    Invert(CurrentRun(s, count));
    FinishReverse(view);
    return true;
}
