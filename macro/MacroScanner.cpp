#include "macro/MacroScanner.h"

#include "store/Cp932.h"

#include <climits>

std::optional<std::string_view> CMacroScanner::Next() {
    if (m_done)
        return std::nullopt;
    const size_t comma = m_code.find(',', m_pos);
    if (comma == std::string_view::npos || comma == m_pos) {
        m_done = true;
        return std::nullopt;
    }
    m_tokenStart = m_pos;
    m_pos = comma + 1;
    return m_code.substr(m_tokenStart, comma - m_tokenStart);
}

std::string_view CMacroScanner::GoToScreenText() {
    // Token starts only grow, so the first "]" after one start is the first
    // after a later start too, as long as it does not lie before it.
    // The walk goes by characters of code page 932, so that the second byte
    // of a double-byte character is no "]". A comma is never such a byte,
    // so every token start is a character boundary of any earlier walk.
    if (!m_closeKnown || (m_close != std::string_view::npos && m_close < m_tokenStart)) {
        const size_t found = FindCp932Character(m_code.substr(m_tokenStart), ']');
        m_close = found == std::string_view::npos ? found : m_tokenStart + found;
        m_closeKnown = true;
    }
    if (m_close == std::string_view::npos || m_close <= m_tokenStart)
        return {};
    return m_code.substr(m_tokenStart + 1, m_close - m_tokenStart - 1);
}

int AtoiLike(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    long long value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos++] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}
