#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `import`: turns every frame of the GIF into a screen, as the editor's GIF
// import does into an empty bank, and writes them as a .qvl file of as many
// screens as the GIF has frames. A file that cannot be read, is no GIF, is
// damaged or has more than 800 frames, or an output that cannot be written:
// the message on `err`, kExitFailed.
int RunImport(const SImportArguments& arguments, std::ostream& err);
