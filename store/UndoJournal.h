#pragma once

#include "store/ScreenGeometry.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

class CScreenBank;

// The screens one undo record keeps: runs of consecutive screens of one
// buffer (a bank or the range clip) with the words they held before the
// action. The words are copied once, as the screens are first written, into
// blocks that never move; afterwards the journal drops the screens that did
// not change. Undo and redo swap the kept words with the buffers', so the
// same journal serves both ways.
class CUndoJournal {
public:
    // One run: screens first .. first + count - 1 (0-based) of `buffer`.
    struct SRun {
        int buffer;
        int first;
        int count;
        Word* words;
    };

    CUndoJournal() = default;
    CUndoJournal(CUndoJournal&&) noexcept = default;
    CUndoJournal& operator=(CUndoJournal&&) noexcept = default;
    CUndoJournal(const CUndoJournal&) = delete;
    CUndoJournal& operator=(const CUndoJournal&) = delete;

    // Keeps the `count` screens at `words`, screens first.. of `buffer`, as
    // they are before being written.
    void Save(int buffer, int first, int count, const Word* words);

    // Drops every kept screen whose words equal those `buffers[run.buffer]`
    // holds now; what is left is what the action changed. Gives back the
    // memory of dropped screens when they were most of it.
    void KeepChanged(std::span<CScreenBank* const> buffers);

    // Swaps every kept screen with the buffers' words: after an action this
    // undoes it, after an undo it redoes it.
    void Swap(std::span<CScreenBank* const> buffers);

    bool Empty() const { return m_runs.empty(); }
    const std::vector<SRun>& Runs() const { return m_runs; }
    // Bytes held: the blocks and the run list.
    std::size_t Bytes() const;

private:
    // Room for `words` words at the end of the last block, or in a new one.
    Word* Allocate(std::size_t words);

    struct SBlock {
        std::unique_ptr<Word[]> words;
        std::size_t size;
    };
    std::vector<SBlock> m_blocks;
    std::size_t m_used = 0; // words used in the last block
    std::size_t m_allocated = 0;
    std::vector<SRun> m_runs;
};
