#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `macro`: loads the macro file as "MacroLoad" does (over 8192 bytes refused,
// CR LF read as LF) and then
//   list:     prints the lines of the macro list, one a line, UTF-8;
//   optimize: writes the macro after "optimization" to the output file, as
//             "MacroSave" writes it;
//   export:   writes the text export of the list to the output file, as
//             "MacroExport" writes it (code page 932, CR LF).
// A file that cannot be loaded or written: its message on `err`, kExitFailed
// (an output file is then left as it was). Otherwise kExitOk.
int RunMacro(const SMacroOptions& options, std::ostream& out, std::ostream& err);
