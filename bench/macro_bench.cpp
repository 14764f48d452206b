// The macro engine on long macros: rebuilding the list and replaying. Both
// walk the code string once, so time per byte must stay flat as the macro
// grows; the Complexity reports say whether it does.

#include "BenchSession.h"

#include "app/CommandTable.h"
#include "macro/MacroRecorder.h"

#include <benchmark/benchmark.h>

namespace {

// 8192 bytes is the largest macro file; recording has no limit, hence the
// larger sizes.
constexpr int kSmallest = 1024;
constexpr int kLargest = 64 * 1024;

// "[1,[1,...": go-to-screen tokens that never close, the case where a search
// for "]" could run to the end of the string for every token.
std::string UnclosedMacro(size_t bytes) {
    std::string code;
    while (code.size() + 3 <= bytes)
        code += "[1,";
    return code;
}

void BM_RebuildMacroList(benchmark::State& state) {
    CHeadlessSession session;
    session.View().Store().m_macroCode = GoToScreenMacro(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        RebuildMacroList(session.View());
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RebuildMacroList)->RangeMultiplier(2)->Range(kSmallest, kLargest)->Complexity();

void BM_PlayMacro(benchmark::State& state) {
    CHeadlessSession session;
    session.View().Store().m_macroCode = GoToScreenMacro(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        StartMacro(session.View());
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PlayMacro)->RangeMultiplier(2)->Range(kSmallest, kLargest)->Complexity();

void BM_PlayUnclosedGoToScreens(benchmark::State& state) {
    CHeadlessSession session;
    session.View().Store().m_macroCode = UnclosedMacro(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        StartMacro(session.View());
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PlayUnclosedGoToScreens)->RangeMultiplier(2)->Range(kSmallest, kLargest)->Complexity();

void BM_RebuildUnclosedGoToScreens(benchmark::State& state) {
    CHeadlessSession session;
    session.View().Store().m_macroCode = UnclosedMacro(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        RebuildMacroList(session.View());
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RebuildUnclosedGoToScreens)
    ->RangeMultiplier(2)
    ->Range(kSmallest, kLargest)
    ->Complexity();

} // namespace
