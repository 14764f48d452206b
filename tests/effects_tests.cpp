// The frame-generating effects (scrolls, curtains, top/bottom, rotations),
// front/back reversal and copy to all screens.

#include "EffectSession.h"

#include "effects/OptionEffects.h"
#include "effects/ScrollEffects.h"
#include "store/CommandIds.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// The ten effects that write a run of frames: button, operation, frames,
// whether the operation marks the document itself (a click always does: the
// record of the action marks the bank it changed) and the step a click
// records.
struct SRun {
    int id;
    bool (*operation)(CViewCore&);
    int frames;
    bool operationMarks;
    const char* step;
    const char* label;
};

const SRun kRuns[] = {
    {IDC_BUTTON1, ScrollUp, 32, true, "1,", "上へスクロール"},
    {IDC_BUTTON2, ScrollDown, 32, true, "2,", "下へスクロール"},
    {IDC_BUTTON4, ScrollLeft, 16, true, "4,", "左へスクロール"},
    {IDC_BUTTON5, ScrollRight, 16, true, "5,", "右へスクロール"},
    {IDC_OPTION1, CurtainOpen, 24, false, "29,", "オプション１"},
    {IDC_OPTION2, CurtainClose, 24, false, "30,", "オプション２"},
    {IDC_OPTION3, TopBottomOpen, 16, false, "42,", "オプション３"},
    {IDC_OPTION4, TopBottomClose, 16, false, "31,", "オプション４"},
    {IDC_OPTION5, RotateTop16, 12, false, "40,", "オプション５"},
    {IDC_OPTION6, RotateBottom16, 12, false, "41,", "オプション６"},
};

// Runs `operation` over screens holding old pictures and checks frames
// c+1..c+frames against where the dots of screen c must stand: `move(dot, k)`
// for frame k.
template <typename Move>
void ExpectRun(CEffectSession& t, bool (*operation)(CViewCore&), int frames, Move move) {
    const int c = t.s().m_currentScreen;
    for (int k = 1; k <= frames; ++k)
        for (Word& word : t.s().ScreenAt(0, c + k))
            word = 0xFFFFFFFFu;
    const std::vector<Dot> source = t.Dots(c);
    operation(t.view);
    for (int k = 1; k <= frames; ++k)
        ASSERT_EQ(t.Dots(c + k), Moved(source, [&](Dot d) { return move(d, k); })) << "frame " << k;
}

TEST(Effects, ScrollsMoveEveryDotOneStepPerFrame) {
    CEffectSession t(40, 3);
    t.Draw(3, ScatteredDots());
    const std::vector<Dot> before = t.Dots(3);

    ExpectRun(t, ScrollUp, 32, [](Dot d, int k) { return Inside(d.first, d.second - k); });
    ExpectRun(t, ScrollDown, 32, [](Dot d, int k) { return Inside(d.first, d.second + k); });
    ExpectRun(t, ScrollLeft, 16, [](Dot d, int k) { return Inside(d.first - k, d.second); });
    ExpectRun(t, ScrollRight, 16, [](Dot d, int k) { return Inside(d.first + k, d.second); });

    EXPECT_EQ(t.Dots(3), before);
    EXPECT_EQ(t.s().m_currentScreen, 3);
}

TEST(Effects, OptionFramesFollowTheHalves) {
    CEffectSession t(40, 2);
    t.Draw(2, ScatteredDots());
    const auto left = [](Dot d) { return d.first < 24; };
    const auto top = [](Dot d) { return d.second < 16; };

    ExpectRun(t, CurtainOpen, 24, [&](Dot d, int k) {
        return left(d) ? Inside(d.first - k, d.second) : Inside(d.first + k, d.second);
    });
    ExpectRun(t, CurtainClose, 24, [&](Dot d, int k) -> std::optional<Dot> {
        const int to = left(d) ? d.first + k : d.first - k;
        return left(Dot{to, 0}) == left(d) ? Inside(to, d.second) : std::nullopt;
    });
    ExpectRun(t, TopBottomOpen, 16, [&](Dot d, int k) {
        return top(d) ? Inside(d.first, d.second - k) : Inside(d.first, d.second + k);
    });
    ExpectRun(t, TopBottomClose, 16, [&](Dot d, int k) -> std::optional<Dot> {
        const int to = top(d) ? d.second + k : d.second - k;
        return top(Dot{0, to}) == top(d) ? Inside(d.first, to) : std::nullopt;
    });
}

TEST(Effects, RotationsTurnOneBlockAtATime) {
    for (const bool topHalf : {true, false}) {
        SCOPED_TRACE(topHalf ? "top" : "bottom");
        CEffectSession t(20, 4);
        t.Draw(4, ScatteredDots());
        const int firstRow = topHalf ? 0 : 16;
        ExpectRun(t, topHalf ? RotateTop16 : RotateBottom16, 12,
                  [&](Dot d, int k) -> std::optional<Dot> {
                      const int block = (k - 1) / 4;
                      if (d.first / 16 != block || d.second / 16 != firstRow / 16)
                          return d;
                      // Counter-clockwise about the block's centre, once per quarter.
                      int x = d.first - 16 * block, y = d.second - firstRow;
                      for (int turn = 0; turn < (k - 1) % 4 + 1; ++turn)
                          x = std::exchange(y, 15 - x);
                      return Dot{16 * block + x, firstRow + y};
                  });
        for (int k : {4, 8, 12})
            EXPECT_EQ(t.Screen(0, 4 + k), t.Screen(0, 4));
    }

    // The top-right corner of block 0 goes round the corners of its block.
    CEffectSession t(20, 1);
    t.Draw(1, {{15, 0}});
    RotateTop16(t.view);
    const std::vector<std::vector<Dot>> expected = {{{0, 0}}, {{0, 15}}, {{15, 15}}, {{15, 0}}};
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(t.Dots(1 + k), k <= 4 ? expected[k - 1] : expected[3]) << k;
}

TEST(Effects, RunsStopAtScreen800AndAreRecordedAllTheSame) {
    for (const SRun& run : kRuns) {
        SCOPED_TRACE(run.label);
        const int last = 800 - run.frames;
        CEffectSession fits(last, last);
        fits.Click(IDC_MACRO_RECORD);
        fits.Click(run.id);
        EXPECT_TRUE(fits.platform.messages.empty());
        EXPECT_EQ(fits.s().m_screenCount[0], 800);
        EXPECT_EQ(fits.s().m_macroCode, run.step);
        EXPECT_TRUE(fits.doc.IsModified());

        CEffectSession over(last + 1, last + 1);
        over.Draw(last + 1, {{24, 16}});
        over.s().ScreenAt(0, 800)[7] = 0x1234u;
        over.Click(IDC_MACRO_RECORD);
        const std::vector<Word> bank = over.s().m_banks[0];
        over.Click(run.id);
        ASSERT_EQ(over.platform.messages.size(), 1u);
        EXPECT_EQ(over.platform.messages[0].text, "スクリーン枚数がオーバーしました。");
        EXPECT_EQ(over.platform.messages[0].caption, "エラー発生！");
        EXPECT_EQ(over.platform.messages[0].type, MB_ICONEXCLAMATION);
        EXPECT_EQ(over.s().m_banks[0], bank);
        EXPECT_EQ(over.s().m_screenCount[0], last + 1);
        EXPECT_FALSE(over.doc.IsModified());
        EXPECT_EQ(over.s().m_macroCode, run.step);
        EXPECT_EQ(over.s().m_macroLines, (Lines{run.label}));
    }
}

TEST(Effects, RunsOverwriteScreensAndOnlyRaiseTheCount) {
    for (const SRun& run : kRuns) {
        SCOPED_TRACE(run.label);
        CEffectSession shortBank(10, 5);
        run.operation(shortBank.view);
        EXPECT_EQ(shortBank.s().m_screenCount[0], 5 + run.frames);
        EXPECT_EQ(shortBank.s().m_form.screenCounts[0], std::to_string(5 + run.frames));
        EXPECT_EQ(shortBank.platform.scrollMax, 5 + run.frames);
        EXPECT_EQ(shortBank.doc.IsModified(), run.operationMarks);

        CEffectSession longBank(100, 5);
        for (int n = 6; n <= 100; ++n)
            longBank.Draw(n, {{n % 48, n % 32}});
        const int scrollPos = longBank.platform.scrollPos;
        run.operation(longBank.view);
        EXPECT_EQ(longBank.s().m_screenCount[0], 100);
        for (int n = 6; n <= 5 + run.frames; ++n)
            EXPECT_TRUE(longBank.Dots(n).empty()) << n;
        for (int n = 6 + run.frames; n <= 100; ++n)
            EXPECT_EQ(longBank.Dots(n), (std::vector<Dot>{{n % 48, n % 32}})) << n;
        EXPECT_EQ(longBank.s().m_currentScreen, 5);
        EXPECT_EQ(longBank.platform.scrollPos, scrollPos);
    }
}

TEST(Effects, ARunDuringThePreviewStartsFromTheScreenOnDisplay) {
    CEffectSession t(20, 3);
    t.Draw(5, {{0, 31}});
    t.Click(IDC_PLAY);
    t.dispatch.OnTimer(kPreviewTimerId);
    t.dispatch.OnTimer(kPreviewTimerId);
    ScrollUp(t.view);
    EXPECT_EQ(t.s().m_currentScreen, 5);
    EXPECT_EQ(t.s().m_previewOffset, 0);
    EXPECT_EQ(t.Dots(6), (std::vector<Dot>{{0, 30}}));
}

TEST(Effects, ReverseOrder) {
    const auto order = [](CEffectSession& t, int count) {
        std::vector<int> numbers;
        for (int n = 1; n <= count; ++n)
            numbers.push_back(t.Dots(n).empty() ? 0 : t.Dots(n)[0].first);
        return numbers;
    };
    CEffectSession t(3, 1);
    for (int n = 1; n <= 4; ++n)
        t.Draw(n, {{n, 0}});
    ReverseOrder(t.view);
    EXPECT_EQ(order(t, 4), (std::vector<int>{3, 2, 1, 4}));
    EXPECT_TRUE(t.doc.IsModified());
    GoToScreen(t.view, 2);
    ReverseOrder(t.view);
    EXPECT_EQ(order(t, 4), (std::vector<int>{3, 1, 2, 4}));
    ReverseOrder(t.view);
    EXPECT_EQ(order(t, 4), (std::vector<int>{3, 2, 1, 4}));
    EXPECT_EQ(t.s().m_currentScreen, 2);
    EXPECT_EQ(t.s().m_screenCount[0], 3);

    // Beyond the last screen there is nothing to reverse.
    GoToScreen(t.view, 4);
    ReverseOrder(t.view);
    EXPECT_EQ(order(t, 4), (std::vector<int>{3, 2, 1, 4}));

    // After recording, the button selects the last line, even when the step
    // went in before it as an insert.
    CEffectSession r(6, 2);
    r.Click(IDC_MACRO_RECORD);
    r.s().m_heldCode = "1,2,";
    r.s().m_macroLines = {"上へスクロール", "下へスクロール"};
    r.s().m_insertPos = 1;
    r.dispatch.OnListSelect(0);
    r.Click(IDC_BUTTON3);
    EXPECT_EQ(r.s().m_macroCode, "1,3,2,");
    EXPECT_EQ(r.s().m_macroLines, (Lines{"上へスクロール", "前後反転", "下へスクロール"}));
    EXPECT_EQ(r.s().m_macroSelection, 2);
    EXPECT_EQ(r.s().m_form.stepCount, "3");
}

TEST(Effects, CopyToAllFillsTheScreensInUse) {
    CEffectSession t(10, 3);
    for (int n = 1; n <= 11; ++n)
        t.Draw(n, {{n, n}});
    const int repaints = t.platform.invalidateCount;
    t.Click(IDC_BUTTON6);
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(t.Dots(n), (std::vector<Dot>{{3, 3}})) << n;
    EXPECT_EQ(t.Dots(11), (std::vector<Dot>{{11, 11}}));
    EXPECT_EQ(t.s().m_screenCount[0], 10);
    EXPECT_EQ(t.s().m_currentScreen, 3);
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.platform.invalidateCount, repaints);
}

} // namespace
