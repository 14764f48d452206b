#include "macro/MacroEditing.h"

#include "macro/MacroRecorder.h"
#include "macro/MacroScanner.h"
#include "store/ViewCore.h"

#include <string>

bool BeginInsert(CViewCore& view) {
    CScreenStore& s = view.Store();
    const int selected = s.m_macroSelection;
    if (selected < 0 || s.m_recording == 0)
        return true;
    s.m_insertPos = selected;
    s.m_heldCode = std::move(s.m_macroCode);
    s.m_macroCode.clear();
    EnableMacroButtons(view, false);
    return true;
}

bool DeleteStep(CViewCore& view) {
    CScreenStore& s = view.Store();
    // The selection is a line of the list; the token it shows is not at the
    // same index when tokens that show no line come before it.
    const int deleted = TokenOfLine(s.m_macroCode, s.m_macroSelection);

    std::string kept;
    kept.reserve(s.m_macroCode.size());
    int index = 0;
    CMacroScanner scanner(s.m_macroCode);
    while (const auto token = scanner.Next()) {
        if (index++ == deleted)
            continue;
        kept += *token;
        kept += ',';
    }
    s.m_macroCode = std::move(kept);
    // Made again from the code rather than by erasing one line: a
    // go-to-screen token without its "]" reads its number up to the next
    // "]", which may have gone with the deleted token.
    s.m_macroLines = MacroListLines(s.m_macroCode);
    s.m_macroSelection = -1;
    ShowMacroStepCount(view);
    return true;
}

bool ClearMacro(CViewCore& view) {
    CScreenStore& s = view.Store();
    s.m_macroCode.clear();
    s.m_macroLines.clear();
    s.m_macroSelection = -1;
    ShowMacroStepCount(view);
    return true;
}
