#pragma once

#include "store/GlyphRasterizer.h"
#include "store/ScreenGeometry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CViewCore;

// Scrolling text: a message drawn as one line of dots that runs across the
// sign from right to left, one screen a step.

// The heights a line may have, the range of the step, and the defaults.
inline constexpr int kTextSizes[] = {8, 16, 32};
inline constexpr int kDefaultTextSize = 16;
inline constexpr int kMinTextStep = 1;
inline constexpr int kMaxTextStep = 48;
inline constexpr int kDefaultTextStep = 1;
// The default families of the 8- and 16-dot lines; a 32-dot line takes the
// family of the 32x32 character-import font.
inline constexpr const char* kDefaultFamily8 = "MisakiGothic";
inline constexpr const char* kDefaultFamily16 = "Unifont-JP";

// The messages of a text that cannot be written (caption kErrorCaption).
inline constexpr const char* kNoMessageText = "メッセージを入力してください。";
inline constexpr const char* kNoFontText = "フォント「%1」が見つかりません。";

// What to write: the message (UTF-8, any length), the line's height in dots
// (8, 16 or 32), its family (empty: the default of the height), the top row
// of the line on the screen (nullopt: centred) and the dots it moves a
// screen (1 to 48).
struct STextScrollOptions {
    std::string message;
    int size = kDefaultTextSize;
    std::string family;
    std::optional<int> row;
    int step = kDefaultTextStep;

    bool operator==(const STextScrollOptions&) const = default;
};

// Whether `size` is one of kTextSizes.
bool IsTextSize(int size);

// The row a line `size` dots high is centred at: (32 - size) / 2.
int CentredTextRow(int size);

// The highest top row of a line `size` dots high: 32 - size.
int LastTextRow(int size);

// The family a line `size` dots high is drawn with when none is given:
// kDefaultFamily8 at 8, kDefaultFamily16 at 16, at any other height the
// family of the view's 32x32 import font (empty when no font can be had).
std::string DefaultTextFamily(CViewCore& view, int size);

// The font of `options`' line: its family, or the default of its height.
STextFont TextFontOf(CViewCore& view, const STextScrollOptions& options);

// A message drawn as one line and cut into the screens that scroll it.
// Screen k (from 0) shows columns (k + 1) * step - 48 to (k + 1) * step - 1
// of the line: the first screen has the first `step` columns at its right
// edge, each screen is the one before moved left by `step` dots, and the
// last is the first one on which no column of the line is left (blank).
class CScrollingText {
public:
    // Draws `message` with `font` at top row `row` (held within 0 .. 32 -
    // size) and cuts it by `step` dots (held within 1 .. 48). The line is
    // font.size dots high (held within 1 .. 32); what a glyph draws above or
    // below it is dropped. Each character stands at the pen, which moves on
    // by its advance; a character the font lacks is its missing glyph, and
    // one the rasterizer cannot draw at all a frame half the line wide.
    // Drawing stops once the line is too long for 800 screens at the step
    // (ScreenCount() is then above 800). nullopt when the rasterizer cannot
    // have the font.
    static std::optional<CScrollingText> Render(CGlyphRasterizer& rasterizer, const STextFont& font,
                                                std::string_view message, int row, int step);

    // How many columns the line has: the pen's end, or the rightmost dot
    // when a glyph reaches past it.
    int Width() const { return static_cast<int>(m_columns.size()); }

    // How many screens scroll it: the ceiling of (Width() + 48) / step.
    int ScreenCount() const;

    // Writes screen k (0 .. ScreenCount() - 1; other k give blank screens)
    // into the 48 words at `screen`.
    void Screen(int k, Word* screen) const;

    // The line's column words as they stand on the screen (at their row).
    const std::vector<Word>& Columns() const { return m_columns; }

private:
    CScrollingText(std::vector<Word> columns, int step)
        : m_columns(std::move(columns)), m_step(step) {}

    std::vector<Word> m_columns;
    int m_step;
};

// The line of `options` drawn in `font` (TextFontOf(view, options)) on its
// row, or centred when it names none; nullopt when no installed font has the
// family.
std::optional<CScrollingText>
RenderScrollingText(CViewCore& view, const STextScrollOptions& options, const STextFont& font);

// "テキストスクロール": writes the screens of `options` into the current bank
// from the screen on display c on (the current screen, or during a preview
// the one the preview shows), so that screens c .. c + count - 1 lose what
// they held. Screen c becomes current, the screen count grows to
// c + count - 1 when it is smaller, the controls, the scroll bar's range and
// the grid are refreshed and the document is marked modified. Refused with
// its message and nothing changed: an empty message (kNoMessageText), a
// family no installed font has (kNoFontText) and screens that would go past
// 800 (the capacity message). Returns whether the screens were written.
bool WriteScrollingText(CViewCore& view, const STextScrollOptions& options);
