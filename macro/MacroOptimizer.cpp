#include "macro/MacroOptimizer.h"

#include "macro/MacroRecorder.h"
#include "macro/MacroScanner.h"
#include "store/ViewCore.h"

std::string OptimizedMacroCode(std::string_view code) {
    std::string result;
    result.reserve(code.size());
    bool inRun = false;
    size_t lastLength = 0; // of the go-to-screen token last appended, without its comma
    CMacroScanner scanner(code);
    while (const auto token = scanner.Next()) {
        if (IsGoToScreenToken(*token)) {
            // The token before is the go-to-screen step this one overrides.
            if (inRun)
                result.resize(result.size() - (lastLength + 1));
            inRun = true;
            lastLength = token->size();
        } else {
            inRun = false;
        }
        result += *token;
        result += ',';
    }
    return result;
}

bool OptimizeMacro(CViewCore& view) {
    CScreenStore& s = view.Store();
    s.m_macroCode = OptimizedMacroCode(s.m_macroCode);
    RebuildMacroList(view);
    return true;
}
