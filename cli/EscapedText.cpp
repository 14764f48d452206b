#include "cli/EscapedText.h"

#include <cstdint>

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendByte(std::string& out, unsigned char byte) {
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

// The length of the well-formed UTF-8 sequence of two or more bytes at the
// start of `text`, with its code point; 0 when there is none (a stray or
// missing continuation byte, an overlong form, a surrogate, beyond U+10FFFF).
size_t DecodeSequence(std::string_view text, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length;
    char32_t smallest;
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

// Characters a terminal acts on or that reorder or break the line, though
// they are valid text.
bool IsInvisibleControl(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F || c == 0x2028 ||
           c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string EscapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text[0]);
        size_t used = 1;
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendByte(out, byte);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {
            char32_t c = 0;
            used = DecodeSequence(text, c);
            if (used == 0) {
                used = 1;
                AppendByte(out, byte);
            } else if (IsInvisibleControl(c)) {
                out += "\\u";
                for (int shift = 12; shift >= 0; shift -= 4)
                    out += kHex[(c >> shift) & 0xF];
            } else {
                out.append(text.substr(0, used));
            }
        }
        text.remove_prefix(used);
    }
    return out;
}
