#pragma once

#include <optional>
#include <string>
#include <string_view>

// Walks a macro code string token by token, the one way every consumer reads
// it: a token runs up to the next comma; the walk ends at a comma that starts
// the rest (an empty token) and at a last fragment without its comma. The
// whole walk is linear in the length of the string.
class CMacroScanner {
public:
    // Scans `code`, which must outlive the scanner.
    explicit CMacroScanner(std::string_view code) : m_code(code) {}

    // The next token (without its comma), or nullopt when the walk has ended.
    std::optional<std::string_view> Next();

    // The screen-number text of the go-to-screen token Next() returned last:
    // what lies between its "[" and the first "]" after it (which may lie
    // beyond the token; the second byte of a double-byte character of code
    // page 932 is no "]"), or the empty text when no "]" follows. Successive
    // calls over one walk cost linear time in all.
    std::string_view GoToScreenText();

private:
    std::string_view m_code;
    size_t m_pos = 0;
    size_t m_tokenStart = 0;
    size_t m_close = 0; // the "]" the last search found, npos when none is left
    bool m_closeKnown = false;
    bool m_done = false;
};

// Whether the token is a go-to-screen token (it starts with "[").
inline bool IsGoToScreenToken(std::string_view token) {
    return !token.empty() && token.front() == '[';
}

// The integer at the start of a text as C's atoi reads it (blanks, an
// optional sign, decimal digits; 0 when there are none), saturated to the
// range of int.
int AtoiLike(std::string_view text);
