#include "effects/OptionEffects.h"

#include "effects/GeneratedFrames.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCurtainFrames = 24;
constexpr int kTopBottomFrames = 16;
constexpr int kRotationFrames = 12;

constexpr int kHalfColumns = kScreenColumns / 2;
constexpr Word kTopHalf = 0xFFFF0000u;
constexpr Word kBottomHalf = 0x0000FFFFu;

constexpr int kBlockSize = 16;
constexpr int kTurnsPerBlock = 4;

// The frame rules: frame k of the run from the current screen (and, for the
// rotations, from the frame before it).

// The curtains move each half by k columns. The loops run over a fixed 24
// columns and read unconditionally (the padding around the source keeps every
// read inside it), so that they compile to vector selects.

void CurtainOpenFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    const Word* const columns = source.data();
    for (int x = 0; x < kHalfColumns; ++x) {
        // The left half leaves through the left edge, the right half through
        // the right; the centre opens k columns each way.
        const Word left = columns[x + k];
        const Word right = columns[kHalfColumns + x - k];
        frame[x] = x + k < kHalfColumns ? left : Word{0};
        frame[kHalfColumns + x] = x >= k ? right : Word{0};
    }
}

void CurtainCloseFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    const Word* const columns = source.data();
    for (int x = 0; x < kHalfColumns; ++x) {
        // Both halves slide towards the centre line and vanish there; the
        // edges open k columns.
        const Word left = columns[x - k];
        const Word right = columns[kHalfColumns + x + k];
        frame[x] = x >= k ? left : Word{0};
        frame[kHalfColumns + x] = x + k < kHalfColumns ? right : Word{0};
    }
}

// k never exceeds 16, so no shift reaches the word's width.
void TopBottomOpenFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    for (int x = 0; x < kScreenColumns; ++x)
        frame[x] = ((source[x] & kBottomHalf) >> k) | ((source[x] & kTopHalf) << k);
}

void TopBottomCloseFrame(ConstScreenWords source, ConstScreenWords, int k, ScreenWords frame) {
    for (int x = 0; x < kScreenColumns; ++x)
        frame[x] = (((source[x] & kTopHalf) >> k) & kTopHalf) |
                   (((source[x] & kBottomHalf) << k) & kBottomHalf);
}

// One stage of the transposition below: swaps the off-diagonal sub-blocks of
// `width` x `width` dots of every 2 * width square on the diagonal.
template <int width, Word mask>
void TransposeStage(std::array<Word, kBlockSize>& a) {
    for (int base = 0; base < kBlockSize; base += 2 * width)
        for (int i = base; i < base + width; ++i) {
            const Word t = (a[i] ^ (a[i + width] >> width)) & mask;
            a[i] ^= t;
            a[i + width] ^= t << width;
        }
}

// Transposes a 16 x 16 dot matrix held as 16 values of 16 bits, bit 15 first:
// afterwards bit 15 - i of value j holds what bit 15 - j of value i held.
// Swapping quadrants, then their quadrants, down to single dots turns a block
// with 64 word operations instead of 256 dot tests.
void Transpose16(std::array<Word, kBlockSize>& a) {
    TransposeStage<8, 0x00FFu>(a);
    TransposeStage<4, 0x0F0Fu>(a);
    TransposeStage<2, 0x3333u>(a);
    TransposeStage<1, 0x5555u>(a);
}

// One frame of a rotation of the half whose 16 rows sit `shift` bits up in the
// column word (16 for the top half, 0 for the bottom): block (k - 1) / 4 of
// the frame before turns a quarter counter-clockwise, everything else is the
// current screen.
template <int shift>
void RotationFrame(ConstScreenWords source, ConstScreenWords previous, int k, ScreenWords frame) {
    constexpr Word kTurning = shift == 16 ? kTopHalf : kBottomHalf;
    const int first = (k - 1) / kTurnsPerBlock * kBlockSize;
    CopyScreenWords(source, frame);
    // Mirroring the columns and then transposing turns the block a quarter
    // counter-clockwise: its top edge becomes its left edge.
    std::array<Word, kBlockSize> block;
    for (int m = 0; m < kBlockSize; ++m)
        block[m] = (previous[first + kBlockSize - 1 - m] >> shift) & 0xFFFFu;
    Transpose16(block);
    for (int m = 0; m < kBlockSize; ++m)
        frame[first + m] = (block[m] << shift) | (source[first + m] & ~kTurning);
}

} // namespace

bool CurtainOpen(CViewCore& view) {
    WriteFrameRun<CurtainOpenFrame>(view, kCurtainFrames);
    return true;
}

bool CurtainClose(CViewCore& view) {
    WriteFrameRun<CurtainCloseFrame>(view, kCurtainFrames);
    return true;
}

bool TopBottomOpen(CViewCore& view) {
    WriteFrameRun<TopBottomOpenFrame>(view, kTopBottomFrames);
    return true;
}

bool TopBottomClose(CViewCore& view) {
    WriteFrameRun<TopBottomCloseFrame>(view, kTopBottomFrames);
    return true;
}

bool RotateTop16(CViewCore& view) {
    WriteFrameRun<RotationFrame<16>>(view, kRotationFrames);
    return true;
}

bool RotateBottom16(CViewCore& view) {
    WriteFrameRun<RotationFrame<0>>(view, kRotationFrames);
    return true;
}
