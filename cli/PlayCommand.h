#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `play`: replays a macro file on a freshly started editor as "MacroStart"
// does. Opens the --selectK files into their banks (select1 current
// afterwards), sets the break step, loads the macro, plays it with the
// dialogs answered from the --text16, --text32 and --bitmap queues, writes
// the --outK files and, with --state, prints the state as one line of JSON.
// A file that cannot be opened, loaded or written: its message on `err`,
// kExitFailed. Otherwise kExitOk, whatever messages the replay showed.
int RunPlay(const SPlayOptions& options, std::ostream& out, std::ostream& err);
