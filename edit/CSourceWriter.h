#pragma once

#include "store/DotOrder.h"
#include "store/ScreenGeometry.h"

#include <string>
#include <string_view>

// Which of the two C files EncodeCSource writes.
//   Header:     static const arrays inside an include guard, with macros for
//               the frame count, width, height and bytes a frame; any number
//               of files of one program may include it.
//   Definition: the one definition of the array with external linkage (a
//               .c file), and at its top a comment with the matching extern
//               declaration for the files that use it.
enum class ECSourceKind { Header, Definition };

// How EncodeCSource lays out and declares the screens.
struct SCSourceOptions {
    EDotLayout layout = EDotLayout::Rows;
    // Counts for the strip layout only.
    SWiring wiring;
    // Declares the array PROGMEM (AVR flash), with <avr/pgmspace.h> on AVR
    // and PROGMEM defined as nothing elsewhere.
    bool progmem = false;
    ECSourceKind kind = ECSourceKind::Header;
};

// A C file of `count` screens (count x 48 column words from `screens`) for a
// firmware project: a comment saying in words what it holds, <stdint.h>,
// and the array `IDENT[frames][192]` of uint8_t, or for the columns layout
// `IDENT[frames][48]` of uint32_t (the column words), 12 values a line. It
// compiles as C99 and C++ without warnings. `ident` must be a C identifier
// (IsCIdentifier).
std::string EncodeCSource(const Word* screens, int count, const SCSourceOptions& options,
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
