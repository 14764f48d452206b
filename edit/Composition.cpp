#include "edit/Composition.h"

#include "edit/ScreenEditing.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <array>

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

// Writes select3 screen `n3` from select1 screen `n1` and select2 screen
// `n2`. A range can run select2 past its last possible screen; there is
// nothing there, so it reads as blank rather than as another bank's words.
void CombineScreen(CScreenStore& s, int n1, int n2, int n3, FCombine combine) {
    static constexpr std::array<Word, kWordsPerScreen> kBlank{};
    const auto input1 = s.ScreenAt(kInput1, n1);
    const Word* input2 = n2 <= kMaxScreens ? s.ScreenAt(kInput2, n2).data() : kBlank.data();
    const auto output = s.ScreenAt(kOutput, n3);
    for (int column = 0; column < kWordsPerScreen; ++column)
        output[column] = combine(input1[column], input2[column]);
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
    if (!IsPlayingBack(view))
        view.SetModifiedFlag();
}

bool CombineOne(CViewCore& view, FCombine combine) {
    BeginComposition(view);
    CScreenStore& s = view.Store();
    CombineScreen(s, s.m_bankCurrent[kInput1], s.m_bankCurrent[kInput2], s.m_bankCurrent[kOutput],
                  combine);
    FinishComposition(view);
    return true;
}

bool CombineRange(CViewCore& view, FCombine combine) {
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
    for (int i = 0; i < count; ++i)
        CombineScreen(s, first1 + i, first2 + i, first3 + i, combine);
    s.m_screenCount[kOutput] = std::max(s.m_screenCount[kOutput], last3);
    ShowScreenCount(view, kOutput);
    FinishComposition(view);
    return true;
}

} // namespace

bool AndScreen(CViewCore& view) {
    return CombineOne(view, And);
}

bool AndRange(CViewCore& view) {
    return CombineRange(view, And);
}

bool OrScreen(CViewCore& view) {
    return CombineOne(view, Or);
}

bool OrRange(CViewCore& view) {
    return CombineRange(view, Or);
}
