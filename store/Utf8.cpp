#include "store/Utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

size_t DecodeUtf8Sequence(std::string_view text, char32_t& codePoint) {
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, smallest = 0x80, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, smallest = 0x800, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, smallest = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string text;
    while (!utf8.empty()) {
        char32_t point = 0;
        const size_t length = DecodeUtf8Sequence(utf8, point);
        text += length != 0 ? point : kReplacement;
        utf8.remove_prefix(length != 0 ? length : 1);
    }
    return text;
}
