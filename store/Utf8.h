#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reading UTF-8 text that may be malformed (command-line arguments, settings,
// typed messages) without trusting it.

// The length (1 to 4) of the well-formed UTF-8 sequence at the start of
// `text`, with its code point in `codePoint`; 0 when there is none: an empty
// text, a stray or missing continuation byte, an overlong form, a surrogate,
// or a point beyond U+10FFFF.
size_t DecodeUtf8Sequence(std::string_view text, char32_t& codePoint);

// The code points of a UTF-8 text; each byte that starts no well-formed
// sequence is one U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);
