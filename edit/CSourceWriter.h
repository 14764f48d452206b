#pragma once

#include "store/ScreenGeometry.h"

#include <string>
#include <string_view>

// How a frame's dots are laid out in bytes for a firmware: `Rows` is 192
// bytes a frame, row 0 first, 6 bytes a row with the most significant bit the
// leftmost dot; `Columns` is the 48 column words of the animation file, bit
// 31 the top dot.
enum class EFrameLayout { Rows, Columns };

// The raw bytes of `count` screens (count x 48 column words from `screens`)
// in `layout`: Rows as above, Columns as the words of a .qvl file
// (little-endian).
std::string EncodeFrameBytes(const Word* screens, int count, EFrameLayout layout);

// A C header of `count` screens for a firmware project: a comment with the
// frame count and layout, <stdint.h>, the macros IDENT_FRAMES, IDENT_WIDTH
// and IDENT_HEIGHT, and the array `const uint8_t IDENT[frames][192]` (Rows)
// or `const uint32_t IDENT[frames][48]` (Columns), 12 values a line.
// `ident` must be a C identifier (IsCIdentifier).
std::string EncodeCSource(const Word* screens, int count, EFrameLayout layout,
                          const std::string& ident);

// Whether `text` can name the array of a header that compiles: a letter or
// underscore, then letters, digits and underscores; no keyword of C or C++,
// no name <stdint.h> declares or defines (uint16_t, INT8_MAX, SIZE_MAX),
// none the compiler keeps (starting with two underscores or with one and a
// capital, linux, unix), and none whose macros would be one of those (INT8
// makes INT8_WIDTH).
bool IsCIdentifier(std::string_view text);

// A C identifier made of the name of the file at `path` without its folder
// and extension: every run of other characters becomes one underscore, a
// leading digit gets "frames_" before it, and a name IsCIdentifier refuses
// "_" after it (int_, uint16_t_), or where that is refused too "frames_"
// before it; "frames" when no letter or digit is left.
std::string CIdentifierFromPath(std::string_view path);
