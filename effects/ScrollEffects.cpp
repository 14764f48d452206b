#include "effects/ScrollEffects.h"

#include "effects/GeneratedFrames.h"
#include "macro/MacroRecorder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int kVerticalFrames = 32;
constexpr int kHorizontalFrames = 16;

// The frame rules: frame k of the run, from the current screen alone.

void UpFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    // The last frame is blank by definition: a shift by the word's full width
    // would be undefined, not zero.
    if (k >= kScreenRows) {
        std::fill(frame.begin(), frame.end(), Word{0});
        return;
    }
    for (int x = 0; x < kScreenColumns; ++x)
        frame[x] = source[x] << k;
}

void DownFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    if (k >= kScreenRows) {
        std::fill(frame.begin(), frame.end(), Word{0});
        return;
    }
    for (int x = 0; x < kScreenColumns; ++x)
        frame[x] = source[x] >> k;
}

// The horizontal frames copy a whole screen from k columns beside the
// source, where the blank padding around it brings in the empty columns.

void LeftFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    std::memcpy(frame.data(), source.data() + k, kScreenBytes);
}

void RightFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    std::memcpy(frame.data(), source.data() - k, kScreenBytes);
}

template <auto rule>
bool Scroll(CViewCore& view, int frames) {
    if (WriteFrameRun<rule>(view, frames))
        view.SetModifiedFlag();
    return true;
}

} // namespace

bool ScrollUp(CViewCore& view) {
    return Scroll<UpFrame>(view, kVerticalFrames);
}

bool ScrollDown(CViewCore& view) {
    return Scroll<DownFrame>(view, kVerticalFrames);
}

bool ScrollLeft(CViewCore& view) {
    return Scroll<LeftFrame>(view, kHorizontalFrames);
}

bool ScrollRight(CViewCore& view) {
    return Scroll<RightFrame>(view, kHorizontalFrames);
}

bool ReverseOrder(CViewCore& view) {
    CScreenStore& s = view.Store();
    view.UpdateData(true);
    s.m_previewOffset = 0;
    const int bank = s.m_currentBank;
    const int first = std::max(s.m_currentScreen, 1);
    const int last = std::min(s.m_screenCount[bank], kMaxScreens);
    // Only the screens that turn round are taken, so that an open undo record
    // keeps just those.
    Word* const words = s.ScreensAt(bank, first, last - first + 1).data();
    const auto screen = [words](int k) {
        return ScreenWords(words + static_cast<ptrdiff_t>(k) * kWordsPerScreen, kWordsPerScreen);
    };
    // Swapping the outermost pair inwards reverses in place: every word of the
    // run is read and written once, and one screen of scratch does.
    std::array<Word, kWordsPerScreen> scratch;
    for (int front = 0, back = last - first; front < back; ++front, --back) {
        CopyScreenWords(screen(front), scratch);
        CopyScreenWords(screen(back), screen(front));
        CopyScreenWords(scratch, screen(back));
    }
    view.RepaintGrid();
    view.SetModifiedFlag();
    return true;
}

bool CopyToAll(CViewCore& view) {
    CScreenStore& s = view.Store();
    view.UpdateData(true);
    s.m_previewOffset = 0;
    const int bank = s.m_currentBank;
    // The current screen is copied onto itself too; copying from a copy keeps
    // every copy between distinct screens.
    std::array<Word, kWordsPerScreen> picture;
    CopyScreenWords(s.ScreenAt(bank, s.m_currentScreen), picture);
    const int last = std::min(s.m_screenCount[bank], kMaxScreens);
    Word* words = s.ScreensAt(bank, 1, last).data();
    for (int n = 1; n <= last; ++n, words += kWordsPerScreen)
        CopyScreenWords(picture, ScreenWords(words, kWordsPerScreen));
    view.SetModifiedFlag();
    return true;
}

void OnReverseOrderButton(CViewCore& view) {
    ReverseOrder(view);
    RecordStep(view, EStep::ReverseOrder);
    const CScreenStore& s = view.Store();
    if (s.m_recording == 1 && s.m_playback == 0)
        SelectLastMacroLine(view);
}
