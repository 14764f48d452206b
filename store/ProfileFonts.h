#pragma once

#include "store/LogFont.h"

#include <optional>
#include <string>

// Read access to the user's settings, one section and key at a time. The
// shell reads them with QSettings; tests give them from a table.
class CProfileReader {
public:
    virtual ~CProfileReader() = default;
    // The integer stored under section/key, or nullopt when there is none or
    // it is not an integer.
    virtual std::optional<long long> ReadInt(const std::string& section,
                                             const std::string& key) const = 0;
    // The string stored under section/key, or nullopt when there is none.
    virtual std::optional<std::string> ReadString(const std::string& section,
                                                  const std::string& key) const = 0;
};

// The description of one import font as the "Font" section gives it: every
// field from its key, or from its default where the key is missing;
// `defaultHeight` is -16 for the 16x16 font and -32 for the 32x32 font.
// Integer keys keep their low 32 bits, byte keys their low 8 bits, and the face
// name its first 31 bytes of code page 932.
CLogFont ReadImportFont(const CProfileReader& profile, int defaultHeight);

// The default heights of the two import fonts: characters 16 and 32 pixels high.
inline constexpr int kImportFont16Height = -16;
inline constexpr int kImportFont32Height = -32;

// The section and default face name of the import fonts.
inline constexpr const char* kFontSection = "Font";
inline constexpr const char* kDefaultFaceName = "ＭＳ ゴシック";
