// What an undo record costs beside the action it records. Each action runs
// three ways: alone ("Action"), inside an undo record as a click takes it
// ("Recorded"), and as a plain memcpy of the bytes the action writes
// ("Memcpy", into the same buffer, and "MemcpyKept", into a new buffer each
// time with the last hundred kept, as records keep their copies). Recorded
// minus Action is the record; the target is at most two Memcpy. Every run
// changes what it writes, so that every record is kept.

#include "BenchSession.h"

#include "app/UndoCommands.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A session whose three banks hold 800 screens of scattered dots.
struct SFullBanks : CHeadlessSession {
    SFullBanks() {
        CScreenStore& s = View().Store();
        Word value = 0x9E3779B9u;
        for (int bank = 0; bank < kBankCount; ++bank) {
            for (size_t i = 0; i < kWordsPerBank; ++i) {
                value = value * 1664525u + 1013904223u;
                s.m_banks[bank][i] = value;
            }
        }
        s.m_screenCount.fill(kMaxScreens);
    }
};

// The actions: each writes `Screens` screens of select1 and changes them all.
using FAction = void (*)(CViewCore& view, Word change);

// One dot of the current screen, as a mouse press sets it.
void OneDot(CViewCore& view, Word change) {
    view.Store().CurrentScreenWords()[change % kWordsPerScreen] ^= 1u << (change % 32);
}

// 32 screens after the current one, as a scroll effect writes them.
void ThirtyTwoScreens(CViewCore& view, Word change) {
    for (Word& word : view.Store().ScreensAt(0, 2, 32))
        word ^= change | 1u;
}

// Every screen of the bank, as "全スクリーンへコピー" writes them.
void WholeBank(CViewCore& view, Word change) {
    for (Word& word : view.Store().ScreensAt(0, 1, kMaxScreens))
        word ^= change | 1u;
}

// Every screen again, through the bank's raw words (begin/end), the way
// writers that do not name their screens are noted.
void WholeBankRaw(CViewCore& view, Word change) {
    for (Word& word : view.Store().m_banks[0])
        word ^= change | 1u;
}

void RunAction(benchmark::State& state, FAction action, int screens) {
    SFullBanks session;
    Word change = 1;
    for (auto _ : state) {
        action(session.View(), change++);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * screens * kScreenBytes);
}

void RunRecorded(benchmark::State& state, FAction action, int screens) {
    SFullBanks session;
    Word change = 1;
    for (auto _ : state) {
        const CUndoScope undo(session.View(), "bench");
        action(session.View(), change++);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * screens * kScreenBytes);
    state.counters["records"] = static_cast<double>(session.View().UndoHistory().UndoCount());
}

void RunMemcpy(benchmark::State& state, int screens) {
    const size_t bytes = static_cast<size_t>(screens) * kScreenBytes;
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

// The same bytes copied into a new buffer each time, the last hundred kept:
// what any record that keeps its copies pays for memory out of the cache.
void RunMemcpyKept(benchmark::State& state, int screens) {
    const size_t bytes = static_cast<size_t>(screens) * kScreenBytes;
    std::vector<char> from(bytes, 1);
    std::vector<std::unique_ptr<char[]>> kept(100);
    size_t next = 0;
    for (auto _ : state) {
        auto to = std::make_unique_for_overwrite<char[]>(bytes);
        std::memcpy(to.get(), from.data(), bytes);
        kept[next] = std::move(to);
        next = (next + 1) % kept.size();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

BENCHMARK_CAPTURE(RunAction, OneDot, OneDot, 1);
BENCHMARK_CAPTURE(RunRecorded, OneDot, OneDot, 1);
BENCHMARK_CAPTURE(RunMemcpy, OneScreen, 1);
BENCHMARK_CAPTURE(RunMemcpyKept, OneScreen, 1);
BENCHMARK_CAPTURE(RunAction, ThirtyTwoScreens, ThirtyTwoScreens, 32);
BENCHMARK_CAPTURE(RunRecorded, ThirtyTwoScreens, ThirtyTwoScreens, 32);
BENCHMARK_CAPTURE(RunMemcpy, ThirtyTwoScreens, 32);
BENCHMARK_CAPTURE(RunMemcpyKept, ThirtyTwoScreens, 32);
BENCHMARK_CAPTURE(RunAction, WholeBank, WholeBank, kMaxScreens);
BENCHMARK_CAPTURE(RunRecorded, WholeBank, WholeBank, kMaxScreens);
BENCHMARK_CAPTURE(RunAction, WholeBankRaw, WholeBankRaw, kMaxScreens);
BENCHMARK_CAPTURE(RunRecorded, WholeBankRaw, WholeBankRaw, kMaxScreens);
BENCHMARK_CAPTURE(RunMemcpy, WholeBank, kMaxScreens);
BENCHMARK_CAPTURE(RunMemcpyKept, WholeBank, kMaxScreens);

// A drawing click as the window sends it: press and release on one cell,
// alternately lighting and clearing it, with its record.
void DotClick(benchmark::State& state) {
    SFullBanks session;
    bool left = true;
    for (auto _ : state) {
        CDispatcher& dispatch = session.Dispatcher();
        dispatch.OnMouse(left ? EMouseMessage::LButtonDown : EMouseMessage::RButtonDown,
                         left ? 0x0001u : 0x0002u, 77 + 6 * 10 + 3, 54 + 6 * 10 + 3);
        dispatch.OnMouse(left ? EMouseMessage::LButtonUp : EMouseMessage::RButtonUp, 0, 0, 0);
        left = !left;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DotClick);

// RESET of three full banks, answered Yes, with its record; the banks are
// filled again outside the timing.
void ResetClick(benchmark::State& state) {
    SFullBanks session;
    const SFullBanks full;
    CScreenStore& s = session.View().Store();
    for (auto _ : state) {
        state.PauseTiming();
        for (int bank = 0; bank < kBankCount; ++bank)
            std::copy(full.View().Store().m_banks[bank].begin(),
                      full.View().Store().m_banks[bank].end(), s.m_banks[bank].begin());
        state.ResumeTiming();
        session.Dispatcher().OnClick(1054); // RESET
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 3 * int64_t{kWordsPerBank} * 4);
}
BENCHMARK(ResetClick);

} // namespace
