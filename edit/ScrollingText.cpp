#include "edit/ScrollingText.h"

#include "edit/ScreenEditing.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/Utf8.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <unordered_map>

namespace {

// A frame `width` x `height` dots standing on the baseline: what a character
// the rasterizer cannot draw at all leaves on the line.
SGlyph FrameGlyph(int width, int height, int baseline) {
    SGlyph glyph;
    glyph.ClearBox(width, height);
    glyph.originY = height;
    glyph.ascent = baseline;
    glyph.advance = width + 1;
    for (int r = 0; r < height; ++r)
        for (int k = 0; k < width; ++k)
            if (r == 0 || r == height - 1 || k == 0 || k == width - 1)
                glyph.SetDot(k, r);
    return glyph;
}

} // namespace

bool IsTextSize(int size) {
    return std::find(std::begin(kTextSizes), std::end(kTextSizes), size) != std::end(kTextSizes);
}

int CentredTextRow(int size) {
    return (kScreenRows - size) / 2;
}

int LastTextRow(int size) {
    return kScreenRows - size;
}

std::string DefaultTextFamily(CViewCore& view, int size) {
    if (size == 8)
        return kDefaultFamily8;
    if (size == 16)
        return kDefaultFamily16;
    return view.Rasterizer().FamilyOf(view.Store().m_logFont32);
}

STextFont TextFontOf(CViewCore& view, const STextScrollOptions& options) {
    return {options.family.empty() ? DefaultTextFamily(view, options.size) : options.family,
            options.size};
}

std::optional<CScrollingText> CScrollingText::Render(CGlyphRasterizer& rasterizer,
                                                     const STextFont& requested,
                                                     std::string_view message, int row, int step) {
    STextFont font = requested;
    font.size = std::clamp(font.size, 1, kScreenRows);
    row = std::clamp(row, 0, LastTextRow(font.size));
    step = std::clamp(step, kMinTextStep, kMaxTextStep);
    // A font that gives not even its missing glyph is not there.
    const std::optional<SGlyph> probe = rasterizer.RasterizeText(font, U' ');
    if (!probe)
        return std::nullopt;

    std::unordered_map<char32_t, SGlyph> glyphs;
    std::vector<Word> columns;
    // A line longer than this needs more than 800 screens at the step;
    // drawing the rest of it would only cost time and memory.
    const int longest = kMaxScreens * step;
    int pen = 0;
    for (const char32_t character : DecodeUtf8(message)) {
        if (pen > longest)
            break;
        auto found = glyphs.find(character);
        if (found == glyphs.end()) {
            std::optional<SGlyph> glyph = rasterizer.RasterizeText(font, character);
            if (!glyph)
                glyph = FrameGlyph(std::max(font.size / 2 - 1, 1),
                                   std::min(font.size, probe->ascent), probe->ascent);
            found = glyphs.emplace(character, std::move(*glyph)).first;
        }
        const SGlyph& glyph = found->second;
        for (int r = 0; r < glyph.blackBoxY; ++r) {
            const int line = glyph.ascent - glyph.originY + r;
            if (line < 0 || line >= font.size)
                continue;
            for (int k = 0; k < glyph.blackBoxX; ++k) {
                const int column = pen + glyph.originX + k;
                if (column < 0 || !glyph.Dot(k, r))
                    continue;
                if (static_cast<size_t>(column) >= columns.size())
                    columns.resize(static_cast<size_t>(column) + 1, 0);
                columns[static_cast<size_t>(column)] |= DotMask(row + line);
            }
        }
        pen += std::max(glyph.advance, 0);
        if (static_cast<size_t>(pen) > columns.size())
            columns.resize(static_cast<size_t>(pen), 0);
    }
    return CScrollingText(std::move(columns), step);
}

int CScrollingText::ScreenCount() const {
    return (Width() + kScreenColumns + m_step - 1) / m_step;
}

void CScrollingText::Screen(int k, Word* screen) const {
    const long long left = static_cast<long long>(k + 1) * m_step - kScreenColumns;
    for (int c = 0; c < kScreenColumns; ++c) {
        const long long column = left + c;
        screen[c] =
            k >= 0 && column >= 0 && column < Width() ? m_columns[static_cast<size_t>(column)] : 0;
    }
}

std::optional<CScrollingText>
RenderScrollingText(CViewCore& view, const STextScrollOptions& options, const STextFont& font) {
    return CScrollingText::Render(view.Rasterizer(), font, options.message,
                                  options.row.value_or(CentredTextRow(font.size)), options.step);
}

bool WriteScrollingText(CViewCore& view, const STextScrollOptions& options) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    if (options.message.empty()) {
        platform.MessageBox(kNoMessageText, kErrorCaption, MB_ICONEXCLAMATION);
        return false;
    }
    const STextFont font = TextFontOf(view, options);
    const std::optional<CScrollingText> text = RenderScrollingText(view, options, font);
    if (!text) {
        platform.MessageBox(FormatMessage(kNoFontText, {font.family}), kErrorCaption,
                            MB_ICONEXCLAMATION);
        return false;
    }
    const int first = s.ScreenOnDisplay();
    const int count = text->ScreenCount();
    // Checked before anything is written: a long message changes nothing.
    const int last = count > kMaxScreens ? kMaxScreens + 1 : first + count - 1;
    if (!view.CheckCapacity(last))
        return false;

    const int bank = s.m_currentBank;
    const std::span<Word> screens = s.ScreensAt(bank, first, count);
    for (int k = 0; k < count; ++k)
        text->Screen(k, screens.data() + static_cast<size_t>(k) * kWordsPerScreen);
    ShowWrittenScreens(view, first, last);
    return true;
}
