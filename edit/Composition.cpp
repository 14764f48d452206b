#include "edit/Composition.h"

#include "edit/ScreenEditing.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

constexpr int kInput1 = 0;
constexpr int kInput2 = 1;
constexpr int kOutput = 2;

using FCombine = Word (*)(Word a, Word b);

Word And(Word a, Word b) {
    return a & b;
}

Word Or(Word a, Word b) {
    return a | b;
}

// One screen of select3 from one of select1 and one of select2. The banks
// never overlap, and saying so lets the fixed 48-word loop vectorize.
template <FCombine combine>
void CombineScreen(const Word* __restrict input1, const Word* __restrict input2,
                   Word* __restrict output) {
    for (int column = 0; column < kWordsPerScreen; ++column)
        output[column] = combine(input1[column], input2[column]);
}

// Writes `count` screens of select3 from screen `first3` on, each from the
// screens of select1 and select2 at the same place in their runs. A range can
// run select2 past its last possible screen; there is nothing there, so it
// reads as blank rather than as another bank's words.
template <FCombine combine>
void CombineScreens(CScreenStore& s, int first1, int first2, int first3, int count) {
    static constexpr std::array<Word, kWordsPerScreen> kBlank{};
    const CScreenStore& in = s;
    const std::span<const Word> input1 = in.m_banks[kInput1].Screens(first1, count);
    const std::span<const Word> input2 = in.m_banks[kInput2].Screens(first2, count);
    const std::span<Word> output = s.ScreensAt(kOutput, first3, count);
    const size_t words = std::min(input1.size(), output.size());
    for (size_t at = 0; at < words; at += kWordsPerScreen)
        CombineScreen<combine>(input1.data() + at,
                               at < input2.size() ? input2.data() + at : kBlank.data(),
                               output.data() + at);
}

void BeginComposition(CViewCore& view) {
    if (IsPlayingBack(view))
        return;
    BeginScreenEdit(view);
    CScreenStore& s = view.Store();
    s.m_bankCurrent[s.m_currentBank] = s.m_currentScreen;
}

void FinishComposition(CViewCore& view) {
    view.RepaintGrid();
    // The bank written is select3, whichever bank is on display.
    if (!IsPlayingBack(view))
        view.SetBankModified(kOutput);
}

template <FCombine combine>
bool CombineOne(CViewCore& view) {
    BeginComposition(view);
    CScreenStore& s = view.Store();
    CombineScreens<combine>(s, s.m_bankCurrent[kInput1], s.m_bankCurrent[kInput2],
                            s.m_bankCurrent[kOutput], 1);
    FinishComposition(view);
    return true;
}

template <FCombine combine>
bool CombineRange(CViewCore& view) {
    BeginComposition(view);
    CScreenStore& s = view.Store();
    const int first1 = s.m_bankCurrent[kInput1];
    const int first2 = s.m_bankCurrent[kInput2];
    const int first3 = s.m_bankCurrent[kOutput];
    // The run's length is select1's alone.
    const int count = std::max(0, s.m_screenCount[kInput1] - first1 + 1);
    const int last3 = first3 + count - 1;
    if (!view.CheckCapacity(last3))
        return false;
    CombineScreens<combine>(s, first1, first2, first3, count);
    s.m_screenCount[kOutput] = std::max(s.m_screenCount[kOutput], last3);
    ShowScreenCount(view, kOutput);
    FinishComposition(view);
    return true;
}

} // namespace

bool AndScreen(CViewCore& view) {
    return CombineOne<And>(view);
}

bool AndRange(CViewCore& view) {
    return CombineRange<And>(view);
}

bool OrScreen(CViewCore& view) {
    return CombineOne<Or>(view);
}

bool OrRange(CViewCore& view) {
    return CombineRange<Or>(view);
}
