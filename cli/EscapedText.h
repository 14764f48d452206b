#pragma once

#include <string>
#include <string_view>

// `text` made safe to echo in a message on a terminal: a backslash is
// doubled; newline, tab and carriage return become \n, \t and \r; other
// control bytes and bytes that are not valid UTF-8 become \xNN; C1 controls,
// line and paragraph separators and bidirectional controls become \uNNNN.
// Printable text, Japanese included, stays as it is.
std::string EscapedText(std::string_view text);
