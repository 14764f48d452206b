#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `show`: opens the animation as File > Open does and prints the chosen
// screen as 32 lines of 48 characters, '#' lit and '.' unlit, row 0 first.
// A refused or unreadable file: its message on `err`, kExitFailed. A screen
// outside 1..screen count: a message on `err`, kExitUsage.
int RunShow(const SShowOptions& options, std::ostream& out, std::ostream& err);

// `info`: opens the animation the same way and prints "screens: K".
// Failures as for RunShow.
int RunInfo(const SShowOptions& options, std::ostream& out, std::ostream& err);
