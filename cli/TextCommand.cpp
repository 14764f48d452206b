#include "cli/TextCommand.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/ExitCodes.h"
#include "edit/ScrollingText.h"
#include "headless/HeadlessSession.h"

int RunText(const STextArguments& arguments, std::ostream& err) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    // An empty bank, so that the file holds the text's screens and nothing else.
    CScreenStore& s = view.Store();
    s.m_screenCount[0] = 0;
    s.m_displayedCount[0] = 0;
    size_t mark = session.MessageCount();
    if (!WriteScrollingText(view, arguments.options)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write the text");
        return kExitFailed;
    }
    mark = session.MessageCount();
    if (!WriteBankFile(view, 0, arguments.out)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + arguments.out);
        return kExitFailed;
    }
    return kExitOk;
}
