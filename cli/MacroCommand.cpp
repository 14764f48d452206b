#include "cli/MacroCommand.h"

#include "cli/CliMessages.h"
#include "cli/ExitCodes.h"
#include "headless/HeadlessSession.h"
#include "macro/MacroExport.h"
#include "macro/MacroFile.h"
#include "macro/MacroOptimizer.h"

int RunMacro(const SMacroOptions& options, std::ostream& out, std::ostream& err) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    size_t mark = session.MessageCount();
    if (!LoadMacroFile(view, options.input)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot load " + options.input);
        return kExitFailed;
    }

    mark = session.MessageCount();
    bool written = true;
    switch (options.action) {
    case EMacroAction::List: {
        std::string text;
        for (const std::string& line : view.Store().m_macroLines) {
            text += line;
            text += '\n';
        }
        out << text;
        break;
    }
    case EMacroAction::Optimize:
        OptimizeMacro(view);
        written = SaveMacroFile(view, options.output);
        break;
    case EMacroAction::Export:
        written = WriteMacroText(view, options.output);
        break;
    }
    if (!written) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + options.output);
        return kExitFailed;
    }
    return kExitOk;
}
