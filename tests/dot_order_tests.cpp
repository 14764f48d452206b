#include "store/DotOrder.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

using Screen = std::array<Word, kWordsPerScreen>;

Screen RandomScreen(std::mt19937& random) {
    Screen screen{};
    for (Word& word : screen)
        word = static_cast<Word>(random());
    return screen;
}

bool Lit(const Screen& screen, int column, int row) {
    return (screen[column] >> (31 - row) & 1u) != 0;
}

// The position a dot has along a wiring, worked out from the description a
// user reads: start in the origin corner, run along lines away from it, and
// with serpentine run every second line back.
int StripIndex(const SWiring& wiring, int width, int height, int column, int row) {
    const bool right =
        wiring.origin == EWiringOrigin::TopRight || wiring.origin == EWiringOrigin::BottomRight;
    const bool bottom =
        wiring.origin == EWiringOrigin::BottomLeft || wiring.origin == EWiringOrigin::BottomRight;
    const int x = right ? width - 1 - column : column;
    const int y = bottom ? height - 1 - row : row;
    const bool rows = wiring.scan == EWiringScan::Rows;
    const int length = rows ? width : height;
    const int line = rows ? y : x;
    int along = rows ? x : y;
    if (wiring.serpentine && line % 2 == 1)
        along = length - 1 - along;
    return line * length + along;
}

// Reads packed bytes back into a screen, from the layouts' descriptions.
Screen Decode(const std::uint8_t* bytes, EDotLayout layout, const SWiring& wiring) {
    Screen screen{};
    for (int column = 0; column < kScreenColumns; ++column)
        for (int row = 0; row < kScreenRows; ++row) {
            bool lit = false;
            switch (layout) {
            case EDotLayout::Rows:
                lit = (bytes[row * 6 + column / 8] & (0x80 >> (column % 8))) != 0;
                break;
            case EDotLayout::RowsLsb:
                lit = (bytes[row * 6 + column / 8] & (1 << (column % 8))) != 0;
                break;
            case EDotLayout::Pages:
                lit = (bytes[(row / 8) * 48 + column] & (1 << (row % 8))) != 0;
                break;
            case EDotLayout::Columns: {
                const std::uint32_t word = bytes[column * 4] | bytes[column * 4 + 1] << 8 |
                                           bytes[column * 4 + 2] << 16 |
                                           static_cast<std::uint32_t>(bytes[column * 4 + 3]) << 24;
                lit = (word >> (31 - row) & 1u) != 0;
                break;
            }
            case EDotLayout::Strip: {
                const int index = StripIndex(wiring, kScreenColumns, kScreenRows, column, row);
                lit = (bytes[index / 8] & (0x80 >> (index % 8))) != 0;
                break;
            }
            }
            if (lit)
                screen[column] |= 0x80000000u >> row;
        }
    return screen;
}

std::vector<SWiring> EveryWiring() {
    std::vector<SWiring> wirings;
    for (const EWiringOrigin origin : {EWiringOrigin::TopLeft, EWiringOrigin::TopRight,
                                       EWiringOrigin::BottomLeft, EWiringOrigin::BottomRight})
        for (const EWiringScan scan : {EWiringScan::Rows, EWiringScan::Columns})
            for (const bool serpentine : {false, true})
                wirings.push_back({origin, scan, serpentine});
    return wirings;
}

std::string Describe(EDotLayout layout, const SWiring& wiring) {
    std::string text = LayoutName(layout);
    if (layout == EDotLayout::Strip)
        text += " " + DescribeWiring(wiring);
    return text;
}

TEST(DotOrder, EveryLayoutDecodesBackToTheScreens) {
    std::mt19937 random(20261208);
    std::vector<std::pair<EDotLayout, SWiring>> cases = {{EDotLayout::Rows, {}},
                                                         {EDotLayout::RowsLsb, {}},
                                                         {EDotLayout::Pages, {}},
                                                         {EDotLayout::Columns, {}}};
    for (const SWiring& wiring : EveryWiring())
        cases.emplace_back(EDotLayout::Strip, wiring);

    std::vector<Word> screens;
    for (int n = 0; n < 3; ++n) {
        const Screen screen = RandomScreen(random);
        screens.insert(screens.end(), screen.begin(), screen.end());
    }
    for (const auto& [layout, wiring] : cases) {
        SCOPED_TRACE(Describe(layout, wiring));
        const std::string bytes = PackScreens(screens.data(), 3, layout, wiring);
        ASSERT_EQ(bytes.size(), 3u * 192u);
        for (int n = 0; n < 3; ++n) {
            const Screen decoded = Decode(
                reinterpret_cast<const std::uint8_t*>(bytes.data()) + n * 192, layout, wiring);
            EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), screens.begin() + n * 48))
                << "screen " << n + 1;
        }
    }
}

TEST(DotOrder, WiringsStartInTheirCornerAndFoldAsDescribed) {
    // A 4 x 3 grid, its first five dots.
    struct SCase {
        SWiring wiring;
        std::vector<SDotPosition> first;
    };
    const std::vector<SCase> cases = {
        {{EWiringOrigin::TopLeft, EWiringScan::Rows, false},
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}}},
        {{EWiringOrigin::TopLeft, EWiringScan::Rows, true},
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}},
        {{EWiringOrigin::TopRight, EWiringScan::Rows, false},
         {{3, 0}, {2, 0}, {1, 0}, {0, 0}, {3, 1}}},
        {{EWiringOrigin::BottomLeft, EWiringScan::Columns, false},
         {{0, 2}, {0, 1}, {0, 0}, {1, 2}, {1, 1}}},
        {{EWiringOrigin::BottomRight, EWiringScan::Columns, true},
         {{3, 2}, {3, 1}, {3, 0}, {2, 0}, {2, 1}}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(DescribeWiring(c.wiring));
        const std::vector<SDotPosition> order = WiringOrder(c.wiring, 4, 3);
        ASSERT_EQ(order.size(), 12u);
        EXPECT_EQ(std::vector<SDotPosition>(order.begin(), order.begin() + 5), c.first);
        // Every dot exactly once.
        std::vector<int> seen(12, 0);
        for (const SDotPosition& dot : order)
            ++seen[dot.row * 4 + dot.column];
        EXPECT_EQ(seen, std::vector<int>(12, 1));
    }
}

TEST(DotOrder, PanelMapPlacesTheScreenAtItsOffset) {
    std::mt19937 random(7);
    const Screen screen = RandomScreen(random);
    for (const SWiring& wiring : EveryWiring()) {
        SCOPED_TRACE(DescribeWiring(wiring));
        // A 64 x 32 panel with the screen moved 10 right and 3 down; the
        // dots pushed past the panel's bottom are not shown.
        const CPanelMap map(wiring, 64, 32, 10, 3);
        std::vector<std::uint8_t> levels;
        map.Sample(screen.data(), levels);
        ASSERT_EQ(levels.size(), 64u * 32u);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 32; ++y) {
                const bool onScreen = x >= 10 && x < 58 && y >= 3;
                const bool expected = onScreen && Lit(screen, x - 10, y - 3);
                ASSERT_EQ(levels[static_cast<size_t>(StripIndex(wiring, 64, 32, x, y))],
                          expected ? 1 : 0)
                    << "panel dot " << x << "," << y;
            }
    }
    // Offsets that put the screen wholly off the panel light nothing.
    const CPanelMap away({}, 16, 16, -100000, 2000000000);
    std::vector<std::uint8_t> levels;
    away.Sample(screen.data(), levels);
    EXPECT_EQ(levels, std::vector<std::uint8_t>(256, 0));
}

TEST(DotOrder, NamesRoundTripAndRefuseOthers) {
    for (const EDotLayout layout : {EDotLayout::Rows, EDotLayout::RowsLsb, EDotLayout::Pages,
                                    EDotLayout::Columns, EDotLayout::Strip})
        EXPECT_EQ(LayoutFromName(LayoutName(layout)), layout);
    for (const SWiring& wiring : EveryWiring()) {
        EXPECT_EQ(OriginFromName(OriginName(wiring.origin)), wiring.origin);
        EXPECT_EQ(ScanFromName(ScanName(wiring.scan)), wiring.scan);
    }
    EXPECT_FALSE(OriginFromName("xx"));
    EXPECT_FALSE(OriginFromName("TL"));
    EXPECT_FALSE(ScanFromName("row"));
    EXPECT_FALSE(LayoutFromName("rows_lsb"));
    EXPECT_EQ(DescribeWiring({EWiringOrigin::BottomRight, EWiringScan::Columns, true}),
              "columns from the bottom-right corner, every second column reversed (serpentine)");
}

} // namespace
