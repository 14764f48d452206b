// Segment drawing: the cells of a mouse move, both the short diagonal steps
// of the step table and the long L-routes.

#include "view/LineDrawing.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// Every move from the centre cell to each cell of the grid.
void BM_SetLineFromCentre(benchmark::State& state) {
    std::array<Word, kWordsPerScreen> screen{};
    for (auto _ : state) {
        for (int x = 0; x < kScreenColumns; ++x)
            for (int y = 0; y < kScreenRows; ++y)
                SetLine(screen.data(), 24, 16, x, y);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kScreenColumns * kScreenRows);
}
BENCHMARK(BM_SetLineFromCentre);

// Short moves of up to 6 cells each way, where the step table applies.
void BM_SetLineShortMoves(benchmark::State& state) {
    std::array<Word, kWordsPerScreen> screen{};
    for (auto _ : state) {
        for (int dx = -6; dx <= 6; ++dx)
            for (int dy = -6; dy <= 6; ++dy)
                SetLine(screen.data(), 20, 15, 20 + dx, 15 + dy);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 13 * 13);
}
BENCHMARK(BM_SetLineShortMoves);

// The longest route: corner to corner.
void BM_SetLineCornerToCorner(benchmark::State& state) {
    std::array<Word, kWordsPerScreen> screen{};
    for (auto _ : state) {
        SetLine(screen.data(), 0, 0, kScreenColumns - 1, kScreenRows - 1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SetLineCornerToCorner);

} // namespace
