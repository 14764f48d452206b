#include "cli/EscapedText.h"

#include "store/Utf8.h"

#include <cstdint>

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendByte(std::string& out, unsigned char byte) {
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
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
            used = DecodeUtf8Sequence(text, c);
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
