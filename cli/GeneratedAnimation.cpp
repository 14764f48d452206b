#include "cli/GeneratedAnimation.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/ExitCodes.h"
#include "headless/HeadlessSession.h"

int WriteGeneratedAnimation(const std::function<bool(CViewCore&)>& fill, const std::string& what,
                            const std::string& out, std::ostream& err) {
    CHeadlessSession session;
    CViewCore& view = session.View();
    // An empty bank, so that the file holds what `fill` made and nothing else.
    CScreenStore& s = view.Store();
    s.m_screenCount[s.m_currentBank] = 0;
    s.m_displayedCount[s.m_currentBank] = 0;
    size_t mark = session.MessageCount();
    if (!fill(view)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot " + what);
        return kExitFailed;
    }
    mark = session.MessageCount();
    if (!WriteBankFile(view, s.m_currentBank, out)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + out);
        return kExitFailed;
    }
    return kExitOk;
}
