#pragma once

#include "store/ScreenGeometry.h"

#include <string>

// One screen as an X11 bitmap, the text format GIMP, ImageMagick and u8g2
// read: the macros IDENT_width 48 and IDENT_height 32 and the array
// `static unsigned char IDENT_bits[]` of its rows from the top, 6 bytes a
// row, the leftmost dot of a byte in bit 0; a set bit is a lit dot. `ident`
// must be a C identifier (IsCIdentifier).
std::string EncodeXbm(const Word* screen, const std::string& ident);
