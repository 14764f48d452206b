#include "store/ProfileFonts.h"

#include "store/Cp932.h"

#include <cstdint>

namespace {

int ReadIntKey(const CProfileReader& profile, const char* key, int fallback) {
    const std::optional<long long> value = profile.ReadInt(kFontSection, key);
    return value ? static_cast<int>(static_cast<std::uint32_t>(*value)) : fallback;
}

unsigned char ReadByteKey(const CProfileReader& profile, const char* key, int fallback) {
    return static_cast<unsigned char>(ReadIntKey(profile, key, fallback) & 0xFF);
}

} // namespace

CLogFont ReadImportFont(const CProfileReader& profile, int defaultHeight) {
    CLogFont font;
    font.height = ReadIntKey(profile, "lfHeight", defaultHeight);
    font.width = ReadIntKey(profile, "lfWidth", 0);
    font.escapement = ReadIntKey(profile, "lfEscapement", 0);
    font.orientation = ReadIntKey(profile, "lfOrientation", 0);
    font.weight = ReadIntKey(profile, "lfWeight", 400);
    font.italic = ReadByteKey(profile, "lfItalic", 0);
    font.underline = ReadByteKey(profile, "lfUnderline", 0);
    font.strikeOut = ReadByteKey(profile, "lfStrikeOut", 0);
    font.charSet = ReadByteKey(profile, "lfCharSet", 128);
    font.outPrecision = ReadByteKey(profile, "lfOutPrecision", 3);
    font.clipPrecision = ReadByteKey(profile, "lfClipPrecision", 2);
    font.quality = ReadByteKey(profile, "lfQuality", 1);
    font.pitchAndFamily = ReadByteKey(profile, "lfPitchAndFamily", 49);
    const std::optional<std::string> face = profile.ReadString(kFontSection, "lfFaceName");
    font.faceName = TruncateToCp932Bytes(face ? *face : kDefaultFaceName, kMaxFaceNameBytes);
    return font;
}
