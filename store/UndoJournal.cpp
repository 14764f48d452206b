#include "store/UndoJournal.h"

#include "store/ScreenBank.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kScreenWords = kWordsPerScreen;
// Blocks grow with the journal up to this many screens, so that a one-dot
// record holds one screen and a long run does not allocate screen by screen.
constexpr std::size_t kLargestBlockScreens = 64;

bool SameScreen(const Word* a, const Word* b) {
    return std::memcmp(a, b, kScreenWords * sizeof(Word)) == 0;
}

} // namespace

Word* CUndoJournal::Allocate(std::size_t words) {
    if (!m_blocks.empty() && m_blocks.back().size - m_used >= words) {
        Word* at = m_blocks.back().words.get() + m_used;
        m_used += words;
        return at;
    }
    const std::size_t grown =
        std::clamp(m_allocated, kScreenWords, kLargestBlockScreens * kScreenWords);
    const std::size_t size = std::max(words, grown);
    m_blocks.push_back({std::make_unique_for_overwrite<Word[]>(size), size});
    m_allocated += size;
    m_used = words;
    return m_blocks.back().words.get();
}

void CUndoJournal::Save(int buffer, int first, int count, const Word* words) {
    const std::size_t size = static_cast<std::size_t>(count) * kScreenWords;
    // A run grows in place while its screens follow on and its block has room.
    if (!m_runs.empty() && !m_blocks.empty()) {
        SRun& last = m_runs.back();
        const SBlock& block = m_blocks.back();
        const Word* tail = block.words.get() + m_used;
        if (last.buffer == buffer && last.first + last.count == first &&
            last.words + static_cast<std::size_t>(last.count) * kScreenWords == tail &&
            block.size - m_used >= size) {
            std::memcpy(block.words.get() + m_used, words, size * sizeof(Word));
            m_used += size;
            last.count += count;
            return;
        }
    }
    Word* at = Allocate(size);
    std::memcpy(at, words, size * sizeof(Word));
    m_runs.push_back({buffer, first, count, at});
}

void CUndoJournal::KeepChanged(std::span<CScreenBank* const> buffers) {
    std::vector<SRun> kept;
    std::size_t keptWords = 0;
    for (const SRun& run : m_runs) {
        const CScreenBank& buffer = *buffers[static_cast<std::size_t>(run.buffer)];
        const Word* now = buffer.data() + static_cast<std::size_t>(run.first) * kScreenWords;
        int i = 0;
        while (i < run.count) {
            while (i < run.count &&
                   SameScreen(run.words + i * kScreenWords, now + i * kScreenWords))
                ++i;
            const int start = i;
            while (i < run.count &&
                   !SameScreen(run.words + i * kScreenWords, now + i * kScreenWords))
                ++i;
            if (i > start) {
                kept.push_back({run.buffer, run.first + start, i - start,
                                run.words + static_cast<std::size_t>(start) * kScreenWords});
                keptWords += static_cast<std::size_t>(i - start) * kScreenWords;
            }
        }
    }
    m_runs = std::move(kept);
    if (m_runs.empty()) {
        m_blocks.clear();
        m_used = m_allocated = 0;
        return;
    }
    // Most of what was saved did not change (a whole bank taken for a few
    // screens): the changed screens move into one block of their own.
    if (keptWords * 2 < m_allocated) {
        auto block = std::make_unique_for_overwrite<Word[]>(keptWords);
        Word* at = block.get();
        for (SRun& run : m_runs) {
            const std::size_t size = static_cast<std::size_t>(run.count) * kScreenWords;
            std::memcpy(at, run.words, size * sizeof(Word));
            run.words = at;
            at += size;
        }
        m_blocks.clear();
        m_blocks.push_back({std::move(block), keptWords});
        m_used = m_allocated = keptWords;
    }
}

void CUndoJournal::Swap(std::span<CScreenBank* const> buffers) {
    for (const SRun& run : m_runs)
        buffers[static_cast<std::size_t>(run.buffer)]->SwapScreens(run.first, run.count, run.words);
}

std::size_t CUndoJournal::Bytes() const {
    return m_allocated * sizeof(Word) + m_runs.capacity() * sizeof(SRun);
}
