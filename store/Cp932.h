#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's UTF-8 texts and code page 932, the
// encoding of the byte limits, the character import, macro files and the
// text export; and the one rule by which every walk over CP932 bytes tells
// where a character ends.

// Whether `byte` starts a double-byte character of code page 932: 0x81..0x9F
// and 0xE0..0xFC, which take in the NEC and IBM extensions (髙 is FB FC) and
// the user-defined area.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Whether `byte` can be the second byte of a double-byte character:
// 0x40..0x7E and 0x80..0xFC.
constexpr bool IsCp932TrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// How many bytes the character at the start of `bytes` takes: 2 when a lead
// byte is followed by a trail byte, otherwise 1 (a single-byte character, or
// a lead byte without its trail byte, which then stands alone). 0 for no
// bytes.
size_t Cp932CharacterLength(std::string_view bytes);

// The offset of the first `ascii` (a single-byte character) in `bytes` that
// stands as a character of its own, walking the characters from the start:
// the second byte of a double-byte character never counts ("ー" is 81 5B).
// npos when there is none.
size_t FindCp932Character(std::string_view bytes, char ascii);

// The CP932 bytes of a UTF-8 text. A character CP932 cannot hold becomes "?",
// as Windows writes it; so does each byte of malformed UTF-8.
std::string Utf8ToCp932(std::string_view utf8);

// The UTF-8 text of CP932 bytes. A byte sequence that is not CP932 becomes
// U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// How many bytes the UTF-8 text takes in code page 932.
int Cp932Length(std::string_view utf8);

// The longest prefix of a UTF-8 text that takes at most `maxBytes` bytes in
// code page 932, never cutting a character in two.
std::string TruncateToCp932Bytes(std::string_view utf8, int maxBytes);

// The Unicode code point of one CP932 character: a double-byte character as
// lead byte x 256 + trail byte, a single byte as its value 0..255. nullopt
// when the bytes are no character of code page 932.
std::optional<char32_t> Cp932CharacterToUnicode(unsigned code);
