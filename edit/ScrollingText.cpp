#include "edit/ScrollingText.h"

#include "edit/ScreenEditing.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// A frame `width` x `height` dots standing on the baseline: what a character
// the rasterizer cannot draw at all leaves on the line.
SGlyph FrameGlyph(int width, int height, int baseline) {
    SGlyph glyph;
    glyph.blackBoxX = width;
    glyph.blackBoxY = height;
    glyph.originY = height;
    glyph.ascent = baseline;
    glyph.advance = width + 1;
    glyph.pitch = (width + 7) / 8;
    glyph.bits.assign(static_cast<size_t>(glyph.pitch) * static_cast<size_t>(height), 0);
    for (int r = 0; r < height; ++r)
        for (int k = 0; k < width; ++k)
            if (r == 0 || r == height - 1 || k == 0 || k == width - 1)
                glyph.bits[static_cast<size_t>(r * glyph.pitch + k / 8)] |=
                    static_cast<unsigned char>(0x80 >> (k % 8));
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

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string text;
    size_t p = 0;
    while (p < utf8.size()) {
        const unsigned lead = static_cast<unsigned char>(utf8[p]);
        int length = 0;
        char32_t point = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            length = 1;
            point = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07;
            smallest = 0x10000;
        }
        bool valid = length > 0 && p + static_cast<size_t>(length) <= utf8.size();
        for (int i = 1; valid && i < length; ++i) {
            const unsigned next = static_cast<unsigned char>(utf8[p + static_cast<size_t>(i)]);
            valid = (next & 0xC0) == 0x80;
            point = point << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and points past U+10FFFF are no
        // characters either.
        valid =
            valid && point >= smallest && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
        if (valid) {
            text += point;
            p += static_cast<size_t>(length);
        } else {
            text += kReplacement;
            ++p;
        }
    }
    return text;
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

bool WriteScrollingText(CViewCore& view, const STextScrollOptions& options) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    if (options.message.empty()) {
        platform.MessageBox(kNoMessageText, kErrorCaption, MB_ICONEXCLAMATION);
        return false;
    }
    const STextFont font = TextFontOf(view, options);
    const std::optional<CScrollingText> text =
        CScrollingText::Render(view.Rasterizer(), font, options.message,
                               options.row.value_or(CentredTextRow(font.size)), options.step);
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
