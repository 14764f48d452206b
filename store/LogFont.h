#pragma once

#include <string>

// Longest face name of a font description, in bytes of code page 932.
inline constexpr int kMaxFaceNameBytes = 31;

// Description of a character-import font, field for field the Windows LOGFONT
// the settings keys are named after. The face name is UTF-8 and at most 31
// bytes long in code page 932.
struct CLogFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    unsigned char italic = 0;
    unsigned char underline = 0;
    unsigned char strikeOut = 0;
    unsigned char charSet = 128;
    unsigned char outPrecision = 3;
    unsigned char clipPrecision = 2;
    unsigned char quality = 1;
    unsigned char pitchAndFamily = 49;
    std::string faceName;

    bool operator==(const CLogFont&) const = default;
};
