#include "store/DotOrder.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kRowBytes = kScreenColumns / 8;
constexpr int kPageRows = 8;

bool FromRight(EWiringOrigin origin) {
    return origin == EWiringOrigin::TopRight || origin == EWiringOrigin::BottomRight;
}

bool FromBottom(EWiringOrigin origin) {
    return origin == EWiringOrigin::BottomLeft || origin == EWiringOrigin::BottomRight;
}

struct SNamed {
    int value;
    const char* name;
};

constexpr std::array<SNamed, 4> kOrigins = {{{static_cast<int>(EWiringOrigin::TopLeft), "tl"},
                                             {static_cast<int>(EWiringOrigin::TopRight), "tr"},
                                             {static_cast<int>(EWiringOrigin::BottomLeft), "bl"},
                                             {static_cast<int>(EWiringOrigin::BottomRight), "br"}}};
constexpr std::array<SNamed, 2> kScans = {{{static_cast<int>(EWiringScan::Rows), "rows"},
                                           {static_cast<int>(EWiringScan::Columns), "columns"}}};
constexpr std::array<SNamed, 5> kLayouts = {{{static_cast<int>(EDotLayout::Rows), "rows"},
                                             {static_cast<int>(EDotLayout::RowsLsb), "rows-lsb"},
                                             {static_cast<int>(EDotLayout::Pages), "pages"},
                                             {static_cast<int>(EDotLayout::Columns), "columns"},
                                             {static_cast<int>(EDotLayout::Strip), "strip"}}};

template <size_t N>
const char* NameOf(const std::array<SNamed, N>& table, int value) {
    for (const SNamed& entry : table)
        if (entry.value == value)
            return entry.name;
    return table[0].name;
}

template <size_t N>
std::optional<int> ValueOf(const std::array<SNamed, N>& table, std::string_view name) {
    for (const SNamed& entry : table)
        if (name == entry.name)
            return entry.value;
    return std::nullopt;
}

void PackRows(const Word* screen, bool leftmostHigh, std::uint8_t* out) {
    for (int row = 0; row < kScreenRows; ++row) {
        const Word mask = DotMask(row);
        for (int k = 0; k < kRowBytes; ++k) {
            std::uint8_t byte = 0;
            for (int i = 0; i < 8; ++i)
                if ((screen[k * 8 + i] & mask) != 0)
                    byte |= static_cast<std::uint8_t>(leftmostHigh ? 0x80u >> i : 1u << i);
            out[row * kRowBytes + k] = byte;
        }
    }
}

void PackPages(const Word* screen, std::uint8_t* out) {
    for (int page = 0; page < kScreenRows / kPageRows; ++page)
        for (int column = 0; column < kScreenColumns; ++column) {
            // The page's 8 rows sit in the column word from bit 31 - 8 x page
            // down, the top one highest: reverse them into bit 0 upward.
            const auto rows = static_cast<std::uint8_t>(screen[column] >> (24 - 8 * page));
            std::uint8_t byte = 0;
            for (int i = 0; i < kPageRows; ++i)
                if ((rows & (0x80u >> i)) != 0)
                    byte |= static_cast<std::uint8_t>(1u << i);
            out[page * kScreenColumns + column] = byte;
        }
}

void PackColumns(const Word* screen, std::uint8_t* out) {
    for (int column = 0; column < kScreenColumns; ++column)
        for (int k = 0; k < 4; ++k)
            out[column * 4 + k] = static_cast<std::uint8_t>(screen[column] >> (8 * k));
}

void PackStrip(const Word* screen, const SWiring& wiring, std::uint8_t* out) {
    std::fill_n(out, kPackedScreenBytes, std::uint8_t{0});
    for (int index = 0; index < kScreenColumns * kScreenRows; ++index) {
        const SDotPosition dot = WiredDot(wiring, kScreenColumns, kScreenRows, index);
        if (TestDot(screen, dot.column, dot.row))
            out[index / 8] |= static_cast<std::uint8_t>(0x80u >> (index % 8));
    }
}

} // namespace

SDotPosition WiredDot(const SWiring& wiring, int width, int height, int index) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    index = std::clamp(index, 0, width * height - 1);
    const bool rows = wiring.scan == EWiringScan::Rows;
    const int lineLength = rows ? width : height;
    const int line = index / lineLength;
    int along = index % lineLength;
    if (wiring.serpentine && line % 2 == 1)
        along = lineLength - 1 - along;
    // Along a line and across the lines, counted from the origin's side.
    const int column = rows ? along : line;
    const int row = rows ? line : along;
    return {FromRight(wiring.origin) ? width - 1 - column : column,
            FromBottom(wiring.origin) ? height - 1 - row : row};
}

std::vector<SDotPosition> WiringOrder(const SWiring& wiring, int width, int height) {
    std::vector<SDotPosition> order;
    const int count = std::max(width, 1) * std::max(height, 1);
    order.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index)
        order.push_back(WiredDot(wiring, width, height, index));
    return order;
}

void PackScreen(const Word* screen, EDotLayout layout, const SWiring& wiring, std::uint8_t* out) {
    switch (layout) {
    case EDotLayout::Rows:
        PackRows(screen, true, out);
        return;
    case EDotLayout::RowsLsb:
        PackRows(screen, false, out);
        return;
    case EDotLayout::Pages:
        PackPages(screen, out);
        return;
    case EDotLayout::Columns:
        PackColumns(screen, out);
        return;
    case EDotLayout::Strip:
        PackStrip(screen, wiring, out);
        return;
    }
}

std::string PackScreens(const Word* screens, int count, EDotLayout layout, const SWiring& wiring) {
    std::string bytes(static_cast<size_t>(std::max(count, 0)) * kPackedScreenBytes, '\0');
    for (int n = 0; n < count; ++n)
        PackScreen(screens + static_cast<size_t>(n) * kWordsPerScreen, layout, wiring,
                   reinterpret_cast<std::uint8_t*>(bytes.data()) +
                       static_cast<size_t>(n) * kPackedScreenBytes);
    return bytes;
}

CPanelMap::CPanelMap(const SWiring& wiring)
    : CPanelMap(wiring, kScreenColumns, kScreenRows, 0, 0) {}

CPanelMap::CPanelMap(const SWiring& wiring, int width, int height, int offsetX, int offsetY)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)) {
    m_screenDot.reserve(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
    for (const SDotPosition& dot : WiringOrder(wiring, m_width, m_height)) {
        // 64-bit: offsets may be anything a user types.
        const long long column = static_cast<long long>(dot.column) - offsetX;
        const long long row = static_cast<long long>(dot.row) - offsetY;
        const bool onScreen =
            column >= 0 && column < kScreenColumns && row >= 0 && row < kScreenRows;
        m_screenDot.push_back(onScreen ? static_cast<int>(column * kScreenRows + row) : -1);
    }
}

void CPanelMap::Sample(const Word* screen, std::vector<std::uint8_t>& levels) const {
    levels.resize(m_screenDot.size());
    for (size_t i = 0; i < m_screenDot.size(); ++i) {
        const int dot = m_screenDot[i];
        levels[i] = dot >= 0 && TestDot(screen, dot / kScreenRows, dot % kScreenRows) ? 1 : 0;
    }
}

const char* OriginName(EWiringOrigin origin) {
    return NameOf(kOrigins, static_cast<int>(origin));
}

const char* ScanName(EWiringScan scan) {
    return NameOf(kScans, static_cast<int>(scan));
}

const char* LayoutName(EDotLayout layout) {
    return NameOf(kLayouts, static_cast<int>(layout));
}

std::optional<EWiringOrigin> OriginFromName(std::string_view name) {
    const std::optional<int> value = ValueOf(kOrigins, name);
    return value ? std::optional(static_cast<EWiringOrigin>(*value)) : std::nullopt;
}

std::optional<EWiringScan> ScanFromName(std::string_view name) {
    const std::optional<int> value = ValueOf(kScans, name);
    return value ? std::optional(static_cast<EWiringScan>(*value)) : std::nullopt;
}

std::optional<EDotLayout> LayoutFromName(std::string_view name) {
    const std::optional<int> value = ValueOf(kLayouts, name);
    return value ? std::optional(static_cast<EDotLayout>(*value)) : std::nullopt;
}

std::string DescribeWiring(const SWiring& wiring) {
    static const char* const kCorners[] = {"top-left", "top-right", "bottom-left", "bottom-right"};
    const bool rows = wiring.scan == EWiringScan::Rows;
    std::string text = rows ? "rows" : "columns";
    text += " from the ";
    text += kCorners[static_cast<int>(wiring.origin)];
    text += " corner";
    if (wiring.serpentine)
        text += rows ? ", every second row reversed (serpentine)"
                     : ", every second column reversed (serpentine)";
    return text;
}

std::string DescribeLayout(EDotLayout layout, const SWiring& wiring) {
    switch (layout) {
    case EDotLayout::Rows:
        return "Layout rows: 192 bytes a frame, the top row first, 6 bytes a row from the "
               "left; bit 7 (the most significant) of a byte is the leftmost of its 8 dots.";
    case EDotLayout::RowsLsb:
        return "Layout rows-lsb: 192 bytes a frame, the top row first, 6 bytes a row from the "
               "left; bit 0 (the least significant) of a byte is the leftmost of its 8 dots, "
               "as in X11 bitmaps and u8g2.";
    case EDotLayout::Pages:
        return "Layout pages: 192 bytes a frame, 4 pages of 8 rows from the top, 48 bytes a "
               "page, one a column from the left; bit 0 of a byte is the top dot of its page, "
               "bit 7 the bottom one, as SSD1306 displays take them.";
    case EDotLayout::Columns:
        return "Layout columns: 48 words of 32 bits a frame, one a column from the left (the "
               "animation file's own words); bit 31 of a word is the top dot, bit 0 the bottom "
               "one. As bytes, each word is little-endian.";
    case EDotLayout::Strip:
        break;
    }
    return "Layout strip: 192 bytes a frame, every dot in the order of an LED strip wired in " +
           DescribeWiring(wiring) +
           ", 8 dots a byte; bit 7 (the most significant) of a byte is the first of its 8 dots.";
}
