#include "macro/MacroPlayer.h"

#include "macro/MacroRecorder.h"
#include "macro/MacroScanner.h"
#include "macro/StepTable.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <string>

void PlayMacro(CViewCore& view, const SReplayTable& replay) {
    CScreenStore& s = view.Store();
    s.m_playback = 1;
    s.m_stopPlayback = false;
    // The operations may not touch the macro, but the scan works on its own
    // copy all the same.
    const std::string work = s.m_macroCode;
    int done = 0;
    CMacroScanner scanner(work);
    while (const auto token = scanner.Next()) {
        if (const int code = StepCodeOf(*token); code != 0) {
            if (const FStepOperation operation = replay.Operation(code))
                operation(view);
        } else if (IsGoToScreenToken(*token) && replay.goToScreen != nullptr) {
            const int screen = AtoiLike(scanner.GoToScreenText());
            replay.goToScreen(view, std::clamp(screen, 1, kMaxScreens));
        }
        if (s.m_stopPlayback || ++done == s.m_breakStep)
            break;
    }
    s.m_stopPlayback = false;
    s.m_playback = 0;
}

void StopPlayback(CViewCore& view) {
    // The inner commands of bitmap import run with the flag inverted, which
    // keeps it nonzero during a playback too; a stray value outside one is
    // cleared when the next playback starts.
    if (view.Store().m_playback != 0)
        view.Store().m_stopPlayback = true;
}

bool ToggleBreak(CViewCore& view) {
    CScreenStore& s = view.Store();
    view.UpdateData(true);
    if (s.m_breakFlag != 0) {
        // Playback counts every token, so the break goes after the token of
        // the selected line, wherever tokens that show no line put it.
        const std::string& listed = s.m_insertPos >= 0 ? s.m_heldCode : s.m_macroCode;
        s.m_breakStep = TokenOfLine(listed, s.m_macroSelection) + 1;
        view.UpdateData(false);
    } else {
        s.m_breakStep = 0;
        RebuildMacroList(view);
    }
    return true;
}
