#include "cli/ImportCommand.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/ExitCodes.h"
#include "edit/GifImport.h"
#include "headless/HeadlessSession.h"

int RunImport(const SImportArguments& arguments, std::ostream& err) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    // An empty bank, so that the file holds the GIF's frames and nothing else.
    CScreenStore& s = view.Store();
    s.m_screenCount[0] = 0;
    s.m_displayedCount[0] = 0;
    size_t mark = session.MessageCount();
    if (!ImportGifFile(view, arguments.gif, arguments.options)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot import " + arguments.gif);
        return kExitFailed;
    }
    mark = session.MessageCount();
    if (!WriteBankFile(view, 0, arguments.out)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + arguments.out);
        return kExitFailed;
    }
    return kExitOk;
}
