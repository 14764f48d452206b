// glowmotion-cli: the editor's core without a window. Shows and inspects
// animation files, replays macros over them, lists, optimizes and exports
// macro files, exports animations to pictures and C, imports GIFs, writes
// scrolling text and plays animations on LED signs; see UsageText() for the
// commands and cli/ExitCodes.h for how it ends.

#include "cli/CommandLine.h"
#include "cli/ExitCodes.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/MacroCommand.h"
#include "cli/PlayCommand.h"
#include "cli/SendCommand.h"
#include "cli/ShowCommand.h"
#include "cli/TextCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    const std::optional<SCommandLine> line = ParseCommandLine(args, error);
    if (!line) {
        // One line a script or a person can read; the help is one option away.
        std::cerr << "glowmotion-cli: " << error << "; see glowmotion-cli --help\n";
        return kExitUsage;
    }
    int status = kExitOk;
    switch (line->command) {
    case ECommand::Help:
        std::cout << UsageText();
        break;
    case ECommand::Show:
        status = RunShow(line->show, std::cout, std::cerr);
        break;
    case ECommand::Info:
        status = RunInfo(line->show, std::cout, std::cerr);
        break;
    case ECommand::Play:
        status = RunPlay(line->play, std::cout, std::cerr);
        break;
    case ECommand::Macro:
        status = RunMacro(line->macro, std::cout, std::cerr);
        break;
    case ECommand::Export:
        status = RunExport(line->exportArgs, std::cerr);
        break;
    case ECommand::Import:
        status = RunImport(line->importArgs, std::cerr);
        break;
    case ECommand::Send:
        status = RunSend(line->sendArgs, std::cerr);
        break;
    case ECommand::Text:
        status = RunText(line->textArgs, std::cerr);
        break;
    }
    std::cout.flush();
    // Output that did not reach its destination (a full disk, a closed pipe)
    // is a failure a script must see.
    if (!std::cout && status == kExitOk) {
        std::cerr << "glowmotion-cli: cannot write the output\n";
        return kExitFailed;
    }
    return status;
}
