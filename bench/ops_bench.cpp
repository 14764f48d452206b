// Every store operation on full banks, each beside a memcpy of the bytes it
// writes, measured in the same run; at the end a table gives each
// operation's time as a multiple of its memcpy. An operation runs whole, as
// the macro player runs it: form exchange, screens, counters and repaint.
// Then the long macro: 8192 bytes of full-bank steps over three full banks.
//
//   build/bench/ops_bench [--benchmark_filter=REGEX] ...
//
// Times are CPU times, which a loaded machine disturbs less than wall times.

#include "BenchSession.h"

#include "app/CommandTable.h"
#include "edit/ClipCommands.h"
#include "edit/Composition.h"
#include "edit/SpaceCommands.h"
#include "effects/BitMoves.h"
#include "effects/OptionEffects.h"
#include "effects/ScrollEffects.h"
#include "macro/MacroFile.h"
#include "macro/MacroRecorder.h"
#include "macro/StepCodes.h"
#include "view/Navigation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// A session whose three banks hold 800 screens of scattered dots each, with
// `count` screens in use in select1 (the bank on display), screen 1 current,
// and the range clip holding all of select1.
struct SFullBanks : CHeadlessSession {
    explicit SFullBanks(int count = kMaxScreens) {
        CViewCore& view = View();
        CScreenStore& s = view.Store();
        Word value = 0x9E3779B9u;
        for (CScreenBank& bank : s.m_banks) {
            for (Word& word : bank) {
                value = value * 1664525u + 1013904223u;
                word = value;
            }
        }
        for (int bank = 0; bank < kBankCount; ++bank) {
            s.m_screenCount[bank] = bank == 0 ? count : kMaxScreens;
            s.m_displayedCount[bank] = s.m_screenCount[bank];
        }
        view.UpdateData(false);
        CopyRange(view);
    }
};

// One row of the table: an operation, how it is run once, and how many
// bytes of screens one run writes.
struct SOperation {
    std::string name;
    int bytes;
    // The screens in use in select1 before the first run.
    int count = kMaxScreens;
    std::function<void(CViewCore&)> run;
};

// An operation of the command table, run as the macro player runs it.
SOperation Op(const char* name, bool (*operation)(CViewCore&), int screensWritten) {
    return {name, screensWritten * kScreenBytes, kMaxScreens,
            [operation](CViewCore& view) { operation(view); }};
}

// Two operations that undo each other's change of the screen count, run as a
// pair so that every run starts from the same bank.
SOperation Pair(const char* name, bool (*first)(CViewCore&), bool (*second)(CViewCore&),
                int screensWritten, int count) {
    return {name, screensWritten * kScreenBytes, count, [first, second](CViewCore& view) {
                first(view);
                second(view);
            }};
}

std::vector<SOperation> Operations() {
    constexpr int kBank = kMaxScreens;
    std::vector<SOperation> ops = {
        // The effects write their frames after the current screen, or the
        // whole bank.
        Op("ScrollUp", ScrollUp, 32),
        Op("ScrollDown", ScrollDown, 32),
        Op("ScrollLeft", ScrollLeft, 16),
        Op("ScrollRight", ScrollRight, 16),
        Op("CurtainOpen", CurtainOpen, 24),
        Op("CurtainClose", CurtainClose, 24),
        Op("TopBottomOpen", TopBottomOpen, 16),
        Op("TopBottomClose", TopBottomClose, 16),
        Op("RotateTop16", RotateTop16, 12),
        Op("RotateBottom16", RotateBottom16, 12),
        Op("ReverseOrder", ReverseOrder, kBank),
        Op("CopyToAll", CopyToAll, kBank - 1),
        // The bit moves rewrite the current screen.
        Op("BitUp", BitUp, 1),
        Op("BitDown", BitDown, 1),
        Op("BitLeft", BitLeft, 1),
        Op("BitRight", BitRight, 1),
        Op("MoveLeft16", MoveLeft16, 1),
        Op("MoveRight16", MoveRight16, 1),
        // The clips: from screen 1, the range forms take the whole bank.
        Op("CopyScreen", CopyScreen, 1),
        Op("CopyRange", CopyRange, kBank),
        Op("CutScreen", CutScreen, 2),
        Op("CutRange", CutRange, 2 * kBank),
        Op("PasteScreen", PasteScreen, 1),
        Op("PasteRange", PasteRange, kBank),
        Op("ReverseScreen", ReverseScreen, 1),
        Op("ReverseRange", ReverseRange, kBank),
        // AND / OR write select3.
        Op("AndScreen", AndScreen, 1),
        Op("OrScreen", OrScreen, 1),
        Op("AndRange", AndRange, kBank),
        Op("OrRange", OrRange, kBank),
        // Space: a full bank refuses an insert, so each insert runs with the
        // delete that takes its screen out again, on 799 screens.
        Pair("InsertSpace+DeleteSpace", InsertSpace, DeleteSpace, kBank + (kBank - 1), kBank - 1),
        Pair("AppendSpace+DropLastScreen", AppendSpace, DropLastScreen, 2, kBank - 1),
    };
    // Go-to-screen writes no screen: it brings one to the grid, and is set
    // against a copy of that one screen.
    ops.push_back({"GoToScreen", kScreenBytes, kMaxScreens, [screen = 0](CViewCore& view) mutable {
                       screen = screen % kMaxScreens + 1;
                       GoToScreen(view, screen);
                   }});
    return ops;
}

void RunOperation(benchmark::State& state, const SOperation& op) {
    SFullBanks session(op.count);
    for (auto _ : state) {
        op.run(session.View());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * op.bytes);
}

void RunMemcpy(benchmark::State& state, int bytes) {
    std::vector<char> from(static_cast<size_t>(bytes), 1);
    std::vector<char> to(static_cast<size_t>(bytes));
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

// The fixed part of nearly every operation: the form read back and written
// again.
void FormExchange(benchmark::State& state) {
    SFullBanks session;
    for (auto _ : state) {
        session.View().UpdateData(true);
        session.View().UpdateData(false);
    }
}

// The longest macro a file holds, made of the steps that work on whole
// banks: the range clips, reverse, AND / OR and the bank selections, so that
// each of the three full banks is worked on in turn.
std::string FullBankMacro() {
    static constexpr EStep kCycle[] = {
        EStep::CopyRange,    EStep::ReverseRange, EStep::Select2,  EStep::PasteRange,
        EStep::ReverseOrder, EStep::AndRange,     EStep::Select3,  EStep::CopyToAll,
        EStep::OrRange,      EStep::CutRange,     EStep::Select1,  EStep::PasteRange,
    };
    std::string code;
    for (size_t i = 0;; ++i) {
        const std::string token = std::to_string(StepNumber(kCycle[i % std::size(kCycle)])) + ",";
        if (code.size() + token.size() > kMaxMacroFileBytes)
            return code;
        code += token;
    }
}

// The whole macro replayed on three full banks; the banks are filled again
// before each replay, outside the time.
void FullBankMacroReplay(benchmark::State& state) {
    const std::string macro = FullBankMacro();
    SFullBanks pristine;
    SFullBanks session;
    for (auto _ : state) {
        state.PauseTiming();
        session.View().Store() = pristine.View().Store();
        session.View().Store().m_macroCode = macro;
        RebuildMacroList(session.View());
        state.ResumeTiming();
        StartMacro(session.View());
    }
    state.counters["steps"] = static_cast<double>(std::count(macro.begin(), macro.end(), ','));
    state.counters["bytes"] = static_cast<double>(macro.size());
}

// Console output as usual, and the CPU time of every run kept for the table.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.iterations > 0)
                m_cpuNanoseconds[run.benchmark_name()] =
                    run.GetAdjustedCPUTime() *
                    benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                    benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    std::optional<double> CpuNanoseconds(const std::string& name) const {
        const auto it = m_cpuNanoseconds.find(name);
        if (it == m_cpuNanoseconds.end())
            return std::nullopt;
        return it->second;
    }

private:
    std::map<std::string, double> m_cpuNanoseconds;
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<SOperation> ops = Operations();
    for (const SOperation& op : ops) {
        benchmark::RegisterBenchmark(("op/" + op.name).c_str(), RunOperation, op);
        benchmark::RegisterBenchmark(("memcpy/" + op.name).c_str(), RunMemcpy, op.bytes);
    }
    benchmark::RegisterBenchmark("FormExchange", FormExchange);
    benchmark::RegisterBenchmark("FullBankMacro", FullBankMacroReplay)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // The table for the README, in Markdown.
    std::printf("\n| Operation | Bytes written | Time (ns) | memcpy (ns) | Ratio |\n"
                "|---|---:|---:|---:|---:|\n");
    for (const SOperation& op : ops) {
        const std::optional<double> time = reporter.CpuNanoseconds("op/" + op.name);
        const std::optional<double> copy = reporter.CpuNanoseconds("memcpy/" + op.name);
        if (time && copy)
            std::printf("| %s | %d | %.0f | %.0f | %.1fx |\n", op.name.c_str(), op.bytes, *time,
                        *copy, *time / *copy);
    }
    if (const std::optional<double> exchange = reporter.CpuNanoseconds("FormExchange"))
        std::printf("\nForm exchange (read and write, part of nearly every row): %.0f ns\n",
                    *exchange);
    if (const std::optional<double> macro = reporter.CpuNanoseconds("FullBankMacro"))
    {
        const std::string code = FullBankMacro();
        std::printf("Full-bank macro of %d bytes (%d steps) over three full banks: %.2f ms "
                    "(limit 20 ms)\n",
                    static_cast<int>(code.size()),
                    static_cast<int>(std::count(code.begin(), code.end(), ',')), *macro / 1e6);
    }
    benchmark::Shutdown();
    return 0;
}
