#pragma once

#include <cstddef>
#include <string>

class CViewCore;

// Macro files (.mcr): the macro code string byte for byte, written and read
// as a text file (an LF of the macro is CR LF on disk).

// The largest macro file that can be loaded.
inline constexpr size_t kMaxMacroFileBytes = 8192;

// The file dialogs' filter and default extension for macro files.
inline constexpr const char* kMacroFileFilter = "ﾏｸﾛ ﾌｧｲﾙ (*.mcr) |*.mcr||";
inline constexpr const char* kMacroFileExtension = "mcr";

// Loads the macro file at `path`: its bytes, each CR LF read as LF, become
// the macro code string and the macro list is rebuilt. A file over 8192
// bytes is refused with "マクロファイルが 8192 バイトを超えています。" before it
// is read; what is not a regular file (a folder, a FIFO, a device) is refused
// without being opened, and a file that cannot be read gets the standard
// file message. On refusal the macro is unchanged and false is returned. The
// content is not checked.
bool LoadMacroFile(CViewCore& view, const std::string& path);

// Writes the macro code string to `path` (each LF as CR LF) so that a failed
// write leaves an old file intact. On failure shows the standard file
// message and returns false. The macro state is not touched.
bool SaveMacroFile(CViewCore& view, const std::string& path);

// "MacroSave": asks for the file with the save dialog (proposing "*.mcr";
// the dialog asks before replacing a file) and writes the macro there.
// Cancel changes nothing. Returns true.
bool SaveMacro(CViewCore& view);

// "MacroLoad": asks for the file with the open dialog and loads it. Cancel or
// a refused file leaves the macro as it was. Returns true.
bool LoadMacro(CViewCore& view);
