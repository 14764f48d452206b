#pragma once

#include "cli/CommandLine.h"

#include <ostream>

// `text`: writes the screens that scroll the message, as the editor's
// "テキストスクロール" writes them into an empty bank, as a .qvl file of just
// those screens. A family no installed font has, a text of more than 800
// screens ("スクリーン枚数がオーバーしました。"), or an output that cannot be
// written: the message on `err`, kExitFailed, and no file written.
int RunText(const STextArguments& arguments, std::ostream& err);
