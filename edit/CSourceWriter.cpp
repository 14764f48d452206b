#include "edit/CSourceWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>

namespace {

constexpr int kValuesPerLine = 12;
constexpr size_t kCommentWidth = 78;

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
constexpr std::array kMacroSuffixes = {"_H", "_FRAMES", "_WIDTH", "_HEIGHT", "_BYTES_PER_FRAME"};

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

// `text` as lines of a block comment: words wrapped before kCommentWidth,
// each line starting " * ".
void AppendCommentParagraph(std::string& out, std::string_view text) {
    std::string line = " *";
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t space = text.find(' ', pos);
        const size_t end = space == std::string_view::npos ? text.size() : space;
        const std::string_view word = text.substr(pos, end - pos);
        if (line.size() > 2 && line.size() + 1 + word.size() > kCommentWidth) {
            out += line + "\n";
            line = " *";
        }
        line += ' ';
        line += word;
        pos = end + 1;
    }
    out += line + "\n";
}

// Keeps PROGMEM meaning something on AVR and nothing anywhere else.
constexpr const char* kProgmemBlock = "#ifdef __AVR__\n"
                                      "#include <avr/pgmspace.h>\n"
                                      "#else\n"
                                      "#ifndef PROGMEM\n"
                                      "#define PROGMEM\n"
                                      "#endif\n"
                                      "#endif\n";

} // namespace

std::string EncodeCSource(const Word* screens, int count, const SCSourceOptions& options,
                          const std::string& ident) {
    // The columns layout stays the file's own words; every other layout is
    // the packed bytes of the dot order.
    const bool words = options.layout == EDotLayout::Columns;
    const bool header = options.kind == ECSourceKind::Header;
    const std::string frames = std::to_string(count);
    const std::string perFrame = words ? "48" : "192";
    const std::string type = words ? "uint32_t" : "uint8_t";
    const std::string progmem = options.progmem ? " PROGMEM" : "";
    // The declarator, with the frame count as a macro in the header.
    const std::string array =
        ident + "[" + (header ? ident + "_FRAMES" : frames) + "][" + perFrame + "]";

    std::string out;
    out.reserve(static_cast<size_t>(count) * (words ? 600 : 1200) + 2048);
    out += "/* " + ident + ": " + frames + (count == 1 ? " frame" : " frames") +
           " of 48 x 32 dots, made by Glowmotion.\n";
    AppendCommentParagraph(out, DescribeLayout(options.layout, options.wiring));
    if (header) {
        AppendCommentParagraph(out, "The array is static const, so any number of files of one "
                                    "program may include this header.");
    } else {
        AppendCommentParagraph(out, "This file holds the one definition of the array. Declare it "
                                    "in the files that use it:");
        out += " *\n *     #include <stdint.h>\n";
        out += " *     extern const " + type + " " + array + progmem + ";\n *\n";
        if (options.progmem)
            AppendCommentParagraph(out, std::string("On AVR, PROGMEM comes from <avr/pgmspace.h> "
                                                    "and the values are read with ") +
                                            (words ? "pgm_read_dword." : "pgm_read_byte."));
    }
    out += " */\n";
    if (header)
        out += "#ifndef " + ident + "_H\n#define " + ident + "_H\n\n";
    out += "#include <stdint.h>\n\n";
    if (options.progmem)
        out += std::string(kProgmemBlock) + "\n";
    if (header) {
        out += "#define " + ident + "_FRAMES " + frames + "\n";
        out += "#define " + ident + "_WIDTH 48\n";
        out += "#define " + ident + "_HEIGHT 32\n";
        out += "#define " + ident + "_BYTES_PER_FRAME 192\n\n";
        out += "static const " + type + " " + array + progmem + " = {\n";
    } else {
        // The declaration first gives the definition external linkage in C++
        // as well, where a const object alone would have internal linkage.
        out += "extern const " + type + " " + array + progmem + ";\n";
        out += "const " + type + " " + array + progmem + " = {\n";
    }
    std::array<std::uint8_t, kPackedScreenBytes> packed{};
    for (int n = 0; n < count; ++n) {
        const Word* screen = screens + static_cast<size_t>(n) * kWordsPerScreen;
        out += "    /* frame " + std::to_string(n + 1) + " */\n    {\n";
        if (words) {
            AppendValues(out, screen, kWordsPerScreen, 8);
        } else {
            PackScreen(screen, options.layout, options.wiring, packed.data());
            AppendValues(out, packed.data(), kPackedScreenBytes, 2);
        }
        out += n + 1 < count ? "    },\n" : "    }\n";
    }
    out += "};\n";
    if (header)
        out += "\n#endif\n";
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
