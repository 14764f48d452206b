// The frame-generating effects (scrolls, curtains, top/bottom, rotations),
// front/back reversal and copy to all screens.

#include "EffectSession.h"

#include "effects/OptionEffects.h"
#include "effects/ScrollEffects.h"
#include "store/CommandIds.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

struct SRun {
    const char* name;
    bool (*operation)(CViewCore&);
    int frames;
    bool marksModified;
};

const SRun kRuns[] = {
    {"ScrollUp", ScrollUp, 32, true},
    {"ScrollDown", ScrollDown, 32, true},
    {"ScrollLeft", ScrollLeft, 16, true},
    {"ScrollRight", ScrollRight, 16, true},
    {"CurtainOpen", CurtainOpen, 24, false},
    {"CurtainClose", CurtainClose, 24, false},
    {"TopBottomOpen", TopBottomOpen, 16, false},
    {"TopBottomClose", TopBottomClose, 16, false},
    {"RotateTop16", RotateTop16, 12, false},
    {"RotateBottom16", RotateBottom16, 12, false},
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

std::optional<Dot> Inside(int column, int row) {
    if (column < 0 || column >= kScreenColumns || row < 0 || row >= kScreenRows)
        return std::nullopt;
    return Dot{column, row};
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
    // A lone dot on the bottom row reaches the top row and then leaves.
    t.Draw(3, {{5, 31}});
    ScrollUp(t.view);
    EXPECT_EQ(t.Dots(3 + 31), (std::vector<Dot>{{5, 0}}));
    EXPECT_TRUE(t.Dots(3 + 32).empty());
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

TEST(Effects, RunsStopAtScreen800) {
    for (const SRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        const int last = 800 - run.frames;
        CEffectSession fits(last, last);
        fits.Draw(last, {{24, 16}});
        run.operation(fits.view);
        EXPECT_TRUE(fits.platform.messages.empty());
        EXPECT_EQ(fits.s().m_screenCount[0], 800);
        EXPECT_EQ(fits.platform.scrollMax, 800);

        CEffectSession over(last + 1, last + 1);
        over.Draw(last + 1, {{24, 16}});
        over.s().ScreenAt(0, 800)[7] = 0x1234u;
        const std::vector<Word> bank = over.s().m_banks[0];
        const int controls = over.platform.controlsChangedCount;
        run.operation(over.view);
        ASSERT_EQ(over.platform.messages.size(), 1u);
        EXPECT_EQ(over.platform.messages[0].text, "スクリーン枚数がオーバーしました。");
        EXPECT_EQ(over.platform.messages[0].caption, "エラー発生！");
        EXPECT_EQ(over.platform.messages[0].type, MB_ICONEXCLAMATION);
        EXPECT_EQ(over.s().m_banks[0], bank);
        EXPECT_EQ(over.s().m_screenCount[0], last + 1);
        EXPECT_EQ(over.platform.controlsChangedCount, controls);
        EXPECT_FALSE(over.doc.IsModified());
    }
}

TEST(Effects, RunsOverwriteScreensAndOnlyRaiseTheCount) {
    for (const SRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        CEffectSession shortBank(10, 5);
        run.operation(shortBank.view);
        EXPECT_EQ(shortBank.s().m_screenCount[0], 5 + run.frames);
        EXPECT_EQ(shortBank.s().m_form.screenCounts[0], std::to_string(5 + run.frames));
        EXPECT_EQ(shortBank.platform.scrollMax, 5 + run.frames);
        EXPECT_EQ(shortBank.doc.IsModified(), run.marksModified);

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
    EXPECT_EQ(t.s().m_screenCount[0], 37);
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

    // The button selects the last line after recording.
    CEffectSession r(6, 2);
    r.Click(IDC_MACRO_RECORD);
    OnReverseOrderButton(r.view);
    r.dispatch.OnListSelect(-1);
    OnReverseOrderButton(r.view);
    EXPECT_EQ(r.s().m_macroCode, "3,3,");
    EXPECT_EQ(r.s().m_macroLines, (Lines{"前後反転", "前後反転"}));
    EXPECT_EQ(r.s().m_macroSelection, 1);
    EXPECT_EQ(r.s().m_form.stepCount, "2");
}

TEST(Effects, CopyToAllFillsTheScreensInUse) {
    CEffectSession t(10, 3);
    for (int n = 1; n <= 11; ++n)
        t.Draw(n, {{n, n}});
    const int repaints = t.platform.invalidateCount;
    CopyToAll(t.view);
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(t.Dots(n), (std::vector<Dot>{{3, 3}})) << n;
    EXPECT_EQ(t.Dots(11), (std::vector<Dot>{{11, 11}}));
    EXPECT_EQ(t.s().m_screenCount[0], 10);
    EXPECT_EQ(t.s().m_currentScreen, 3);
    EXPECT_TRUE(t.doc.IsModified());
    EXPECT_EQ(t.platform.invalidateCount, repaints);
}

} // namespace
