// The effects on a full bank, each beside a memcpy of the bytes it writes, so
// that one run shows how far an effect is from a plain copy. An effect runs
// whole, as a click runs it: form exchange, frames, counters and repaint.

#include "BenchSession.h"

#include "effects/OptionEffects.h"
#include "effects/ScrollEffects.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// A session whose select1 holds 800 screens of scattered dots, screen 1
// current.
struct SFullBank : CHeadlessSession {
    SFullBank() {
        CViewCore& view = View();
        CScreenStore& s = view.Store();
        Word value = 0x9E3779B9u;
        for (Word& word : s.m_banks[0]) {
            value = value * 1664525u + 1013904223u;
            word = value;
        }
        s.m_screenCount[0] = kMaxScreens;
        s.m_displayedCount[0] = kMaxScreens;
        view.UpdateData(false);
    }
};

void RunEffect(benchmark::State& state, bool (*effect)(CViewCore&), int bytes) {
    SFullBank bank;
    for (auto _ : state) {
        effect(bank.View());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void RunMemcpy(benchmark::State& state, int bytes) {
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

// The fixed cost in every run effect, whatever it writes: the form read back
// and written again (ReverseOrder and CopyToAll only read it).
void FormExchange(benchmark::State& state) {
    SFullBank bank;
    for (auto _ : state) {
        bank.View().UpdateData(true);
        bank.View().UpdateData(false);
    }
}
BENCHMARK(FormExchange);

// Bytes each effect writes: its frames, or every screen of the bank.
constexpr int kScrollUpBytes = 32 * kScreenBytes;
constexpr int kCurtainBytes = 24 * kScreenBytes;
constexpr int kRotationBytes = 12 * kScreenBytes;
constexpr int kBankBytes = kMaxScreens * kScreenBytes;

BENCHMARK_CAPTURE(RunEffect, ScrollUp, ScrollUp, kScrollUpBytes);
BENCHMARK_CAPTURE(RunMemcpy, ScrollUpBytes, kScrollUpBytes);
BENCHMARK_CAPTURE(RunEffect, CurtainOpen, CurtainOpen, kCurtainBytes);
BENCHMARK_CAPTURE(RunMemcpy, CurtainOpenBytes, kCurtainBytes);
BENCHMARK_CAPTURE(RunEffect, RotateTop16, RotateTop16, kRotationBytes);
BENCHMARK_CAPTURE(RunMemcpy, RotateTop16Bytes, kRotationBytes);
BENCHMARK_CAPTURE(RunEffect, ReverseOrder, ReverseOrder, kBankBytes);
BENCHMARK_CAPTURE(RunMemcpy, ReverseOrderBytes, kBankBytes);
BENCHMARK_CAPTURE(RunEffect, CopyToAll, CopyToAll, kBankBytes);
BENCHMARK_CAPTURE(RunMemcpy, CopyToAllBytes, kBankBytes);

} // namespace
