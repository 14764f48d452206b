#pragma once

#include <string>

class CViewCore;

// Macro files (.mcr): the macro code string byte for byte.

// The largest macro file that can be loaded.
inline constexpr size_t kMaxMacroFileBytes = 8192;

// Loads the macro file at `path`: its bytes become the macro code string and
// the macro list is rebuilt. A file over 8192 bytes is refused with
// "マクロファイルが 8192 バイトを超えています。" (nothing is read beyond that
// size); a file that cannot be read gets the standard file message. On
// refusal the macro is unchanged and false is returned.
bool LoadMacroFile(CViewCore& view, const std::string& path);
