#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `send`: plays screens of a .qvl file on an LED sign, paced on the
// monotonic clock. SIGINT and SIGTERM end the run with every dot of the
// sign off: kExitOk for --forever, kExitFailed (with a line on `err`) for a
// run cut short. A file that cannot be read, or a sign that cannot be
// reached or opened: one line on `err`, kExitFailed. A screen the file does
// not have: kExitUsage.
int RunSend(const SSendArguments& arguments, std::ostream& err);
