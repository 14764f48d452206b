#pragma once

#include "store/ScreenGeometry.h"

#include <array>
#include <string_view>
#include <vector>

class CViewCore;

// Character import: the text of the "１６×１６ドット" or "３２×３２ドット" box
// drawn with the import font of that size into the current screen, and the
// font commands that choose those fonts.

// Where an import is composed before it goes to the screen: 48 column words,
// bit 31 of a word is composition row 0. The 16x16 size uses rows 0..15.
using CComposition = std::array<Word, kScreenColumns>;

// One character of a text in code page 932: its code (lead byte x 256 + trail
// byte, or the single byte) and the byte offset it starts at.
struct SCharacterAt {
    unsigned code = 0;
    int offset = 0;
    bool operator==(const SCharacterAt&) const = default;
};

// The characters of CP932 bytes, left to right. Two bytes make one character
// when the first is a lead byte and the second a trail byte (Cp932.h), the
// NEC and IBM extensions and the user-defined area included; every other
// byte is a character of its own, a lead byte at the end too.
std::vector<SCharacterAt> SplitCharacters(std::string_view cp932);

// What PlaceCharacter did with a character.
enum class EPlaceResult {
    Placed = 0,   // drawn into its slot
    NoGlyph = 1,  // no font, or the font gives nothing for the character
    TooLarge = 2, // the black box is wider or higher than the size
};

// Draws character `code` that starts at byte `offset` of the text into its
// slot of `composition`, with the import font of `size` (16 or 32). The slot
// (8 x offset or 16 x offset, 16 or 32 columns wide, half that for a single
// byte) is cleared first; a 16x16 single-byte glyph keeps only its first 8
// black-box columns. Dots outside the band (rows 0..size-1) or the 48 columns
// are dropped. A failure discards the import font of the size, so that every
// later character of that size fails with NoGlyph until a font command makes
// it again; the composition is then left as it was.
EPlaceResult PlaceCharacter(CViewCore& view, CComposition& composition, int size, unsigned code,
                            int offset);

// "文字取込" under the 16x16 box: draws the box's text (read from the form)
// into the lower 16 rows of the current screen and blanks the rest of it; a
// character that fails stops the preview and shows its message (caption
// "Lampgrid"), and the others are still drawn. During playback the
// character-entry dialog asks for the text first (cancel keeps the old one;
// an answer longer than the box's 6 bytes is cut at a character boundary).
// Always returns true: the step is recorded even when characters failed.
bool ImportCharacters16(CViewCore& view);

// The same for the 32x32 box (3 bytes): the characters fill all 32 rows.
bool ImportCharacters32(CViewCore& view);

// The font command of `size` (16 or 32): shows the font dialog on that size's
// font description; OK makes the import font again from the chosen one. The
// font is then tried on 薇: when it fails, its message (caption "エラー発生！")
// is shown and, after OK, the dialog comes back until a font passes or the
// user cancels; after Cancel the command ends there. Returns true.
bool ChooseImportFont(CViewCore& view, int size);

// ChooseImportFont for the two toolbar commands 32798 (16x16) and 32799 (32x32).
bool ChooseImportFont16(CViewCore& view);
bool ChooseImportFont32(CViewCore& view);
