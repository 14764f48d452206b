// Exchange with other programs: a full bank of 800 screens to an animated
// GIF and to C source, and the import of a 100-frame GIF and of the largest
// one the program writes.

#include "BenchSession.h"

#include "edit/CSourceWriter.h"
#include "edit/GifImport.h"
#include "edit/GifWriter.h"
#include "edit/PngWriter.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A band of text-like dots 16 rows high scrolling left one column a screen,
// as a scrolling message looks: every screen differs from the one before in
// most of its columns.
std::vector<Word> ScrollingText(int screens) {
    std::vector<Word> strip(static_cast<size_t>(screens + kScreenColumns));
    Word seed = 0x2545F491u;
    for (size_t column = 0; column < strip.size(); ++column) {
        seed = seed * 1664525u + 1013904223u;
        // Every sixth column is a space between letters.
        strip[column] = column % 6 == 5 ? 0 : (seed & 0x00FFFF00u);
    }
    std::vector<Word> words(static_cast<size_t>(screens) * kWordsPerScreen);
    for (int n = 0; n < screens; ++n)
        for (int column = 0; column < kScreenColumns; ++column)
            words[static_cast<size_t>(n) * kWordsPerScreen + column] = strip[n + column];
    return words;
}

// Every dot of every screen drawn at random: no frame can be made smaller.
std::vector<Word> Noise(int screens) {
    std::vector<Word> words(static_cast<size_t>(screens) * kWordsPerScreen);
    Word seed = 0x9E3779B9u;
    for (Word& word : words) {
        seed = seed * 1664525u + 1013904223u;
        word = seed;
    }
    return words;
}

void BM_GifExportScrollingText(benchmark::State& state) {
    const std::vector<Word> words = ScrollingText(kMaxScreens);
    const SRenderOptions options{static_cast<ERenderStyle>(state.range(0)), kDefaultRenderScale};
    std::string bytes;
    for (auto _ : state)
        EncodeGifAnimation(words.data(), kMaxScreens, options, kDefaultGifDelayMs, {}, bytes);
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_GifExportScrollingText)
    ->Arg(static_cast<int>(ERenderStyle::Led))
    ->Arg(static_cast<int>(ERenderStyle::Pixel))
    ->Unit(benchmark::kMillisecond);

void BM_GifExportNoise(benchmark::State& state) {
    const std::vector<Word> words = Noise(kMaxScreens);
    const SRenderOptions options{ERenderStyle::Led, kDefaultRenderScale};
    std::string bytes;
    for (auto _ : state)
        EncodeGifAnimation(words.data(), kMaxScreens, options, kDefaultGifDelayMs, {}, bytes);
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_GifExportNoise)->Unit(benchmark::kMillisecond);

void BM_PngSheetExport(benchmark::State& state) {
    const std::vector<Word> words = ScrollingText(kMaxScreens);
    std::string bytes;
    for (auto _ : state)
        EncodePngSheet(words.data(), kMaxScreens, SRenderOptions{}, kDefaultSheetColumns, {},
                       bytes);
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_PngSheetExport)->Unit(benchmark::kMillisecond);

void BM_CSourceExport(benchmark::State& state) {
    const std::vector<Word> words = ScrollingText(kMaxScreens);
    SCSourceOptions options;
    options.layout = static_cast<EDotLayout>(state.range(0));
    options.wiring = {EWiringOrigin::BottomRight, EWiringScan::Columns, true};
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeCSource(words.data(), kMaxScreens, options, "frames"));
}
BENCHMARK(BM_CSourceExport)
    ->Arg(static_cast<int>(EDotLayout::Rows))
    ->Arg(static_cast<int>(EDotLayout::Pages))
    ->Arg(static_cast<int>(EDotLayout::Columns))
    ->Arg(static_cast<int>(EDotLayout::Strip))
    ->Unit(benchmark::kMillisecond);

// The import of `screens` screens of scrolling text exported with `render`,
// into screen 1 of a fresh editor each run.
void ImportScrollingTextGif(benchmark::State& state, int screens, const SRenderOptions& render) {
    const std::vector<Word> words = ScrollingText(screens);
    std::string gif;
    EncodeGifAnimation(words.data(), screens, render, kDefaultGifDelayMs, {}, gif);
    for (auto _ : state) {
        state.PauseTiming();
        CHeadlessSession session;
        state.ResumeTiming();
        if (!ImportGif(session.View(), gif, SDotOptions{}))
            state.SkipWithError("the GIF was refused");
    }
    state.counters["bytes"] = static_cast<double>(gif.size());
}

// 100 frames at the default scale (384 x 256 pixels a frame).
void BM_GifImport100(benchmark::State& state) {
    ImportScrollingTextGif(state, 100, SRenderOptions{});
}
BENCHMARK(BM_GifImport100)->Unit(benchmark::kMillisecond);

// Near the most work the import takes on: 800 screens exported at the
// largest scale (1536 x 1024 pixels a frame, about 1.26 of the 2.1 billion
// pixels kMaxGifWorkPixels allows).
void BM_GifImportFullBankAtLargestScale(benchmark::State& state) {
    ImportScrollingTextGif(state, kMaxScreens, SRenderOptions{ERenderStyle::Led, kMaxRenderScale});
}
BENCHMARK(BM_GifImportFullBankAtLargestScale)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
