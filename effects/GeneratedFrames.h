#pragma once

#include "store/ScreenGeometry.h"
#include "store/ScreenStore.h"
#include "store/ViewCore.h"

#include <array>
#include <cstring>
#include <span>

// The frame shared by the effects that write a run of generated screens
// directly after the current one: the scrolls and the option effects.

using ScreenWords = std::span<Word, kWordsPerScreen>;
using ConstScreenWords = std::span<const Word, kWordsPerScreen>;

// Copies one screen onto another, distinct one. Screens never overlap, so a
// fixed-size memcpy does, and the compiler turns it into a few vector moves
// where std::copy would call memmove.
inline void CopyScreenWords(ConstScreenWords from, ScreenWords to) {
    std::memcpy(to.data(), from.data(), kScreenBytes);
}

// Takes the form into the fields and makes the screen on display the current
// one (preview offset 0), then checks that `frames` screens fit after it.
// Returns the current screen; returns 0 after the capacity message when they
// do not fit, and the caller must then change nothing.
int BeginFrameRun(CViewCore& view, int frames);

// Closes a run of `frames` screens written after screen `current`: raises the
// screen count to cover them (it never falls), shows the counters, sets the
// screen scroll bar's range and repaints. Cannot fail.
void EndFrameRun(CViewCore& view, int current, int frames);

// Writes frames 1..`frames` after the current screen with
// `rule(source, previous, k, frame)`, where `source` is the current screen,
// `previous` frame k - 1 (the current screen for k = 1) and `frame` the screen
// to fill completely. `source` is a copy with a screen's worth of blank words
// on either side: a rule that moves columns may read source.data()[x] for
// -48 <= x < 96 and gets blank columns past the edges, so that it copies a
// whole screen at a fixed offset instead of testing every column. Returns
// false, having written nothing, when the run does not fit below the
// capacity limit.
template <auto rule>
bool WriteFrameRun(CViewCore& view, int frames) {
    const int current = BeginFrameRun(view, frames);
    if (current == 0)
        return false;
    // The rules read a copy of the current screen: the compiler then knows it
    // never overlaps the frame being written and can vectorize their loops.
    std::array<Word, 3 * kWordsPerScreen> padded{};
    const ScreenWords source(padded.data() + kWordsPerScreen, kWordsPerScreen);
    // The run is taken as a whole, so that an open undo record keeps exactly
    // the screens it writes; the capacity check keeps it inside the bank.
    const std::span<Word> run =
        view.Store().ScreensAt(view.Store().m_currentBank, current, frames + 1);
    CopyScreenWords(ConstScreenWords(run.data(), kWordsPerScreen), source);
    Word* frame = run.data() + kWordsPerScreen;
    for (int k = 1; k <= frames; ++k, frame += kWordsPerScreen)
        rule(source, ConstScreenWords(frame - kWordsPerScreen, kWordsPerScreen), k,
             ScreenWords(frame, kWordsPerScreen));
    EndFrameRun(view, current, frames);
    return true;
}
