#include "edit/CSourceWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>

namespace {

constexpr int kRowBytes = kScreenColumns / 8;
constexpr int kFrameRowBytes = kRowBytes * kScreenRows; // 192
constexpr int kValuesPerLine = 12;

// Words a header may not use as its array's name: C and C++ keywords (the
// header is often compiled as C++, as on Arduino) and the types it uses.
constexpr std::array kReservedWords = {
    "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
    "case", "catch", "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept",
    "const", "consteval", "constexpr", "constinit", "const_cast", "continue", "co_await",
    "co_return", "co_yield", "decltype", "default", "delete", "do", "double", "dynamic_cast",
    "else", "enum", "explicit", "export", "extern", "false", "float", "for", "friend", "goto", "if",
    "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq", "nullptr",
    "operator", "or", "or_eq", "private", "protected", "public", "register", "reinterpret_cast",
    "requires", "restrict", "return", "short", "signed", "sizeof", "static", "static_assert",
    "static_cast", "struct", "switch", "template", "this", "thread_local", "throw", "true", "try",
    "typedef", "typeid", "typename", "typeof", "typeof_unqual", "union", "unsigned", "using",
    "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq", "_Alignas", "_Alignof",
    "_Atomic", "_BitInt", "_Bool", "_Complex", "_Decimal32", "_Decimal64", "_Decimal128",
    "_Generic", "_Imaginary", "_Noreturn", "_Static_assert", "_Thread_local",
    // Macros GCC defines unless told to keep to ISO C.
    "linux", "unix", "i386"};

// What EncodeCSource puts after the array's name to name its macros.
constexpr std::array kMacroSuffixes = {"_H", "_FRAMES", "_WIDTH", "_HEIGHT"};

// Names <stdint.h> declares or defines, which the header includes: the
// integer types of exact, least and fast widths, for pointers and the
// greatest, and the macros of their limits, constants and widths (C23).
bool IsStdintName(const std::string& text) {
    static const std::unordered_set<std::string> names = [] {
        std::unordered_set<std::string> set;
        const char* const bits[] = {"8", "16", "32", "64"};
        const char* const limits[] = {"_MIN", "_MAX", "_WIDTH"};
        for (const std::string sign : {"", "u"}) {
            for (const std::string n : bits)
                for (const char* kind : {"int", "int_least", "int_fast"})
                    set.insert(sign + kind + n + "_t");
            set.insert(sign + "intptr_t");
            set.insert(sign + "intmax_t");
        }
        for (const std::string sign : {"", "U"}) {
            for (const std::string limit : limits) {
                for (const std::string n : bits)
                    for (const char* kind : {"INT", "INT_LEAST", "INT_FAST"})
                        set.insert(sign + kind + n + limit);
                set.insert(sign + "INTPTR" + limit);
                set.insert(sign + "INTMAX" + limit);
            }
            for (const std::string n : bits)
                set.insert(sign + "INT" + n + "_C");
            set.insert(sign + "INTMAX_C");
        }
        for (const std::string base : {"PTRDIFF", "SIG_ATOMIC", "SIZE", "WCHAR", "WINT"})
            for (const std::string limit : limits)
                set.insert(base + limit);
        return set;
    }();
    return names.contains(text);
}

// Whether `text` is a word of the language or a name the header's
// surroundings already use: keywords, what <stdint.h> defines, and what the
// compiler keeps for itself (two underscores, or one and a capital, first).
bool IsReserved(std::string_view text) {
    if (text.starts_with("__") ||
        (text.size() >= 2 && text[0] == '_' && text[1] >= 'A' && text[1] <= 'Z'))
        return true;
    return std::find(kReservedWords.begin(), kReservedWords.end(), text) != kReservedWords.end() ||
           IsStdintName(std::string(text));
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Byte `k` (0..5) of dot row `row`: dots 8k .. 8k + 7, the first in bit 7.
std::uint8_t RowByte(const Word* screen, int row, int k) {
    const Word mask = DotMask(row);
    std::uint8_t byte = 0;
    for (int i = 0; i < 8; ++i)
        if ((screen[k * 8 + i] & mask) != 0)
            byte |= static_cast<std::uint8_t>(0x80u >> i);
    return byte;
}

void AppendHex(std::string& out, std::uint32_t value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    out += "0x";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

// The values of one frame, `kValuesPerLine` a line, indented twice.
template <typename Value>
void AppendValues(std::string& out, const Value* values, int count, int digits) {
    for (int i = 0; i < count; ++i) {
        out += i % kValuesPerLine == 0 ? "        " : " ";
        AppendHex(out, values[i], digits);
        out += i + 1 < count ? (i % kValuesPerLine == kValuesPerLine - 1 ? ",\n" : ",") : "\n";
    }
}

} // namespace

std::string EncodeFrameBytes(const Word* screens, int count, EFrameLayout layout) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count) * kScreenBytes);
    for (int n = 0; n < count; ++n) {
        const Word* screen = screens + static_cast<size_t>(n) * kWordsPerScreen;
        if (layout == EFrameLayout::Rows) {
            for (int row = 0; row < kScreenRows; ++row)
                for (int k = 0; k < kRowBytes; ++k)
                    bytes += static_cast<char>(RowByte(screen, row, k));
            continue;
        }
        for (int column = 0; column < kScreenColumns; ++column)
            for (int shift = 0; shift < 32; shift += 8)
                bytes += static_cast<char>((screen[column] >> shift) & 0xFFu);
    }
    return bytes;
}

std::string EncodeCSource(const Word* screens, int count, EFrameLayout layout,
                          const std::string& ident) {
    const bool rows = layout == EFrameLayout::Rows;
    const std::string frames = std::to_string(count);
    std::string out;
    out.reserve(static_cast<size_t>(count) * (rows ? 1200 : 600) + 1024);
    out += "/* " + ident + ": " + frames + (count == 1 ? " frame" : " frames") +
           " of 48 x 32 dots, made by Glowmotion.\n";
    if (rows) {
        out += " * Layout rows: 192 bytes a frame, the top row first, 6 bytes a row; the most\n"
               " * significant bit of a byte is the leftmost of its 8 dots. */\n";
    } else {
        out += " * Layout columns: 48 words a frame, the leftmost column first; bit 31 of a\n"
               " * word is the top dot, bit 0 the bottom one. */\n";
    }
    out += "#ifndef " + ident + "_H\n#define " + ident + "_H\n\n#include <stdint.h>\n\n";
    out += "#define " + ident + "_FRAMES " + frames + "\n";
    out += "#define " + ident + "_WIDTH 48\n";
    out += "#define " + ident + "_HEIGHT 32\n\n";
    out += std::string(rows ? "const uint8_t " : "const uint32_t ") + ident + "[" + ident +
           "_FRAMES][" + (rows ? "192" : "48") + "] = {\n";
    std::array<std::uint8_t, kFrameRowBytes> frameBytes{};
    for (int n = 0; n < count; ++n) {
        const Word* screen = screens + static_cast<size_t>(n) * kWordsPerScreen;
        out += "    /* frame " + std::to_string(n + 1) + " */\n    {\n";
        if (rows) {
            for (int row = 0; row < kScreenRows; ++row)
                for (int k = 0; k < kRowBytes; ++k)
                    frameBytes[static_cast<size_t>(row * kRowBytes + k)] = RowByte(screen, row, k);
            AppendValues(out, frameBytes.data(), kFrameRowBytes, 2);
        } else {
            AppendValues(out, screen, kWordsPerScreen, 8);
        }
        out += n + 1 < count ? "    },\n" : "    }\n";
    }
    out += "};\n\n#endif\n";
    return out;
}

bool IsCIdentifier(std::string_view text) {
    if (text.empty() || IsAsciiDigit(text[0]) || IsReserved(text))
        return false;
    if (!std::all_of(text.begin(), text.end(),
                     [](char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; }))
        return false;
    // INT8 would make INT8_WIDTH, which <stdint.h> defines as well.
    return std::none_of(kMacroSuffixes.begin(), kMacroSuffixes.end(), [&](const char* suffix) {
        return IsStdintName(std::string(text) + suffix);
    });
}

std::string CIdentifierFromPath(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    if (const size_t dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    std::string ident;
    bool meaningful = false;
    for (const char c : name) {
        if (IsAsciiLetter(c) || IsAsciiDigit(c)) {
            ident += c;
            meaningful = true;
        } else if (ident.empty() || ident.back() != '_') {
            ident += '_';
        }
    }
    if (!meaningful)
        return "frames";
    if (IsAsciiDigit(ident[0]))
        ident.insert(0, "frames_");
    // A name that is taken gets an underscore after it, or, where even that
    // is reserved (_STDINT_H), "frames_" before it.
    if (IsCIdentifier(ident))
        return ident;
    if (IsCIdentifier(ident + '_'))
        return ident + '_';
    return "frames_" + ident.substr(ident.find_first_not_of('_'));
}
