#pragma once

#include <string>
#include <string_view>

// Macro files and the macro text export are text files in the Windows manner:
// on disk every line ends in CR LF, in memory in LF alone.

// The bytes a text goes to disk as: every LF becomes CR LF.
std::string TextToFileBytes(std::string_view text);

// The text the bytes of a file read as: every CR LF becomes LF; a CR on its
// own stays.
std::string FileBytesToText(std::string_view bytes);
