#pragma once

#include "store/ScreenGeometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The order in which a sign, a display or a firmware takes the dots of a
// screen: the byte layouts of the firmware exports and the wiring of LED
// strips that live output drives. One place answers "which dot comes n-th"
// for everyone who writes dots out.

// The corner an LED strip starts at.
enum class EWiringOrigin { TopLeft, TopRight, BottomLeft, BottomRight };

// The lines the strip runs along: horizontal (Rows) or vertical (Columns).
enum class EWiringScan { Rows, Columns };

// How an LED matrix is wired: the first dot sits in the `origin` corner, the
// strip runs along the first line of `scan` away from that corner, and the
// lines follow one another walking away from the origin's side. With
// `serpentine` every second line (the second, the fourth, ...) runs the
// other way, as a strip folded back and forth does.
struct SWiring {
    EWiringOrigin origin = EWiringOrigin::TopLeft;
    EWiringScan scan = EWiringScan::Rows;
    bool serpentine = false;
    bool operator==(const SWiring&) const = default;
};

// One dot of a grid: its column from the left and its row from the top.
struct SDotPosition {
    int column = 0;
    int row = 0;
    bool operator==(const SDotPosition&) const = default;
};

// The position of dot `index` (0 .. width x height - 1) along the wiring of
// a grid of `width` x `height` dots. An index outside is pulled into range.
SDotPosition WiredDot(const SWiring& wiring, int width, int height, int index);

// Every dot of a `width` x `height` grid in wiring order.
std::vector<SDotPosition> WiringOrder(const SWiring& wiring, int width, int height);

// How the 192 bytes of one packed screen hold its dots.
//   Rows:    32 rows from the top, 6 bytes a row; bit 7 of a byte is the
//            leftmost of its 8 dots.
//   RowsLsb: the same with bit 0 the leftmost dot (the X11 bitmap order).
//   Pages:   4 pages of 8 rows from the top, 48 bytes a page, one a column
//            from the left; bit 0 is the page's top dot, bit 7 its bottom.
//   Columns: the screen's own 48 column words, 32-bit little-endian, bit 31
//            the top dot (the bytes of a .qvl file).
//   Strip:   every dot in the order of an SWiring, 8 dots a byte, the first
//            dot of a byte in bit 7.
enum class EDotLayout { Rows, RowsLsb, Pages, Columns, Strip };

// Every layout, in the order of the enumeration (the order dialogs list them).
inline constexpr EDotLayout kDotLayouts[] = {EDotLayout::Rows, EDotLayout::RowsLsb,
                                             EDotLayout::Pages, EDotLayout::Columns,
                                             EDotLayout::Strip};

// Bytes one screen takes in every layout.
inline constexpr int kPackedScreenBytes = kScreenBytes;

// Packs the 48-word `screen` into the kPackedScreenBytes bytes at `out` in
// `layout`; `wiring` counts for Strip only.
void PackScreen(const Word* screen, EDotLayout layout, const SWiring& wiring, std::uint8_t* out);

// The packed bytes of `count` screens of 48 words each from `screens`.
std::string PackScreens(const Word* screens, int count, EDotLayout layout, const SWiring& wiring);

// The dots of a panel of `width` x `height` in wiring order, each tied to
// the screen dot it shows: the screen's top-left dot sits at (offsetX,
// offsetY) of the panel, and panel dots off the screen show nothing. Built
// once, it samples any number of frames cheaply.
class CPanelMap {
public:
    // A panel as large as the screen, wired as `wiring`, without offset.
    explicit CPanelMap(const SWiring& wiring = {});
    CPanelMap(const SWiring& wiring, int width, int height, int offsetX, int offsetY);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int DotCount() const { return static_cast<int>(m_screenDot.size()); }

    // Writes one value a panel dot, in wiring order, into `levels` (resized
    // to DotCount()): 1 where the 48-word `screen` lights the dot, 0 where it
    // is unlit or off the screen.
    void Sample(const Word* screen, std::vector<std::uint8_t>& levels) const;

private:
    int m_width;
    int m_height;
    // For each panel dot in wiring order: column x 32 + row of the screen
    // dot it shows, or -1 off the screen.
    std::vector<int> m_screenDot;
};

// The names a user types and the settings file keeps: "tl", "tr", "bl",
// "br"; "rows", "columns"; "rows", "rows-lsb", "pages", "columns", "strip".
const char* OriginName(EWiringOrigin origin);
const char* ScanName(EWiringScan scan);
const char* LayoutName(EDotLayout layout);
// nullopt for any other text.
std::optional<EWiringOrigin> OriginFromName(std::string_view name);
std::optional<EWiringScan> ScanFromName(std::string_view name);
std::optional<EDotLayout> LayoutFromName(std::string_view name);

// The wiring in words, for a header comment or a dialog: "rows from the
// top-left corner, every second row reversed (serpentine)".
std::string DescribeWiring(const SWiring& wiring);

// A packed screen of `layout` in words, one paragraph without line breaks
// for the comment of an exported file: where the dots start, the order they
// run in and which bit of a byte (or word) holds which dot; `wiring` counts
// for Strip only.
std::string DescribeLayout(EDotLayout layout, const SWiring& wiring);
