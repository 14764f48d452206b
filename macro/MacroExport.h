#pragma once

#include <string>
#include <vector>

class CViewCore;

// The macro text export (.txt): the lines of the macro list, readable by
// Japanese Windows editors. It cannot be loaded back.

// The file dialog's filter and default extension for the text export.
inline constexpr const char* kMacroTextFilter = "ﾃｷｽﾄ ﾌｧｲﾙ (*.txt) |*.txt||";
inline constexpr const char* kMacroTextExtension = "txt";

// The bytes of the export of `lines`: each line in code page 932 followed by
// CR LF (an LF inside a line becomes CR LF too). A character code page 932
// cannot hold is written as "?". No lines give no bytes.
std::string MacroTextBytes(const std::vector<std::string>& lines);

// Writes the export of the macro list to `path` so that a failed write leaves
// an old file intact. On failure shows the standard file message and returns
// false.
bool WriteMacroText(CViewCore& view, const std::string& path);

// "MacroExport": asks for the file with the save dialog (proposing "*.txt";
// the dialog asks before replacing a file) and writes the export of the list
// as it was when the button was pressed. Cancel writes nothing. Returns true.
bool ExportMacroText(CViewCore& view);
