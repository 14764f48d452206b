#include "edit/XbmWriter.h"

#include "store/DotOrder.h"

#include <array>
#include <cstdint>

namespace {

// As the X11 library writes them.
constexpr int kValuesPerLine = 12;

} // namespace

std::string EncodeXbm(const Word* screen, const std::string& ident) {
    std::array<std::uint8_t, kPackedScreenBytes> bits{};
    PackScreen(screen, EDotLayout::RowsLsb, {}, bits.data());
    std::string out;
    out.reserve(1300);
    out += "#define " + ident + "_width 48\n";
    out += "#define " + ident + "_height 32\n";
    // ImageMagick recognises the array by exactly this line.
    out += "static unsigned char " + ident + "_bits[] = {\n";
    static const char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < bits.size(); ++i) {
        out += i % kValuesPerLine == 0 ? "   0x" : " 0x";
        out += kDigits[bits[i] >> 4];
        out += kDigits[bits[i] & 0xF];
        if (i + 1 < bits.size())
            out += i % kValuesPerLine == kValuesPerLine - 1 ? ",\n" : ",";
    }
    out += "};\n";
    return out;
}
