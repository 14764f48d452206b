#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `export`: opens the animation as File > Open does and writes screens
// --from .. --to (default all of them; for an X11 bitmap --from alone) to
// the output file in the format its extension names, as the editor's export
// commands do. A refused or
// unreadable animation, or an output that cannot be written: the message on
// `err`, kExitFailed. A file without screens or a range outside them: a
// message on `err`, kExitUsage.
int RunExport(const SExportArguments& arguments, std::ostream& err);
