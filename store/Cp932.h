#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's UTF-8 texts and code page 932, the
// encoding of the byte limits, the character import and the text export.

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
