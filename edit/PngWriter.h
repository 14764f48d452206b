#pragma once

#include "edit/ExportProgress.h"
#include "edit/ScreenRenderer.h"

#include <string>

// Columns a contact sheet may have, and the number it has unless told.
inline constexpr int kMinSheetColumns = 1;
inline constexpr int kMaxSheetColumns = kMaxScreens;
inline constexpr int kDefaultSheetColumns = 10;

// The size in pixels of the PNG that EncodePngSheet makes of `count` screens.
struct SSheetSize {
    int columns = 1, rows = 1, width = 0, height = 0;
};
SSheetSize SheetSize(int count, const SRenderOptions& options, int columns);

// The widest and tallest PNG the writer makes, in pixels: what libpng
// writes without being told otherwise, and what most readers take.
inline constexpr int kMaxPngSide = 1000000;

// Whether a sheet of `size` is within kMaxPngSide both ways.
bool SheetFits(const SSheetSize& size);

// Encodes `count` screens (count x 48 column words from `screens`) as a PNG
// with a palette, drawn by a renderer of `options`. One screen gives a
// picture of that screen alone; more give a contact sheet, `columns` screens
// a row (fewer when there are fewer screens) left to right, then top to
// bottom, one dot of the gap colour between them, and the gap colour where
// the last row ends early. `progress` is told after each row of screens.
// A sheet that does not fit (SheetFits) fails at once. On Done `bytes`
// holds the file; otherwise it is left empty.
EEncodeStatus EncodePngSheet(const Word* screens, int count, const SRenderOptions& options,
                             int columns, const FProgress& progress, std::string& bytes);
