// Scrolling text: a message drawn with the machine's fonts and written as
// about 800 screens into a bank, as "テキストスクロール" and
// `glowmotion-cli text` do it.

#include "BenchSession.h"

#include "app/UndoCommands.h"
#include "edit/FreeTypeRasterizer.h"
#include "edit/ScrollingText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A message of `count` characters of Japanese and Latin text that repeats.
std::string Message(int count) {
    static const char* const kCharacters[] = {"漢", "字", "の", "看", "板",
                                              "ア", "A",  "b",  "1",  " "};
    std::string message;
    for (int i = 0; i < count; ++i)
        message += kCharacters[i % 10];
    return message;
}

// The options of each line height that come to about 800 screens: 800 at 8
// and 16 dots, one dot a screen, 792 at 32 dots, two dots a screen.
STextScrollOptions FullBank(int size) {
    STextScrollOptions options;
    options.size = size;
    // A run of ten characters is 6 full-width and 4 half-width ones: 8 full
    // widths, 64 dots at 8, 128 at 16, 256 at 32.
    options.message = Message(size == 8 ? 116 : size == 16 ? 58 : 60);
    options.step = size == 32 ? 2 : 1;
    return options;
}

// The line drawn and its screens written from screen 1, the fonts already
// loaded (the second and later runs of the editor's command).
void BM_ScrollingTextWrite(benchmark::State& state) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    const STextScrollOptions options = FullBank(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!WriteScrollingText(view, options))
            state.SkipWithError("refused");
    }
    state.counters["screens"] = view.Store().m_screenCount[0];
}
BENCHMARK(BM_ScrollingTextWrite)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

// The same with the undo record the editor's command keeps of it.
void BM_ScrollingTextWriteWithUndo(benchmark::State& state) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    STextScrollOptions options = FullBank(16);
    int run = 0;
    for (auto _ : state) {
        // Alternate the row, so that every run changes every screen.
        options.row = run++ % 2 == 0 ? 0 : 16;
        const CUndoScope undo(view, "テキストスクロール");
        if (!WriteScrollingText(view, options))
            state.SkipWithError("refused");
    }
    state.counters["screens"] = view.Store().m_screenCount[0];
}
BENCHMARK(BM_ScrollingTextWriteWithUndo)->Unit(benchmark::kMillisecond);

// The first run in a process that has matched fonts before: a fresh
// rasterizer finds the font, opens it, reads its outline grid and draws
// every glyph.
void BM_ScrollingTextFirstUse(benchmark::State& state) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    const STextScrollOptions options = FullBank(static_cast<int>(state.range(0)));
    WriteScrollingText(view, options); // fontconfig's configuration, once a process
    for (auto _ : state) {
        CFreeTypeRasterizer rasterizer;
        view.SetRasterizer(rasterizer);
        WriteScrollingText(view, options);
    }
}
BENCHMARK(BM_ScrollingTextFirstUse)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace
