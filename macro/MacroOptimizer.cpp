#include "macro/MacroOptimizer.h"

#include "macro/MacroRecorder.h"
#include "macro/MacroScanner.h"
#include "store/Cp932.h"
#include "store/ViewCore.h"

#include <string>

namespace {

// Appends the go-to-screen token the scanner returned last, with its comma.
// A token without its own "]" reads its number up to the first "]" anywhere
// after it, which may lie in a token the optimization drops or in the part
// after the last token; it is written closed, with the number it plays now.
void AppendGoToScreen(std::string& result, std::string_view token, CMacroScanner& scanner) {
    if (FindCp932Character(token, ']') != std::string_view::npos) {
        result += token;
    } else {
        result += '[';
        result += std::to_string(AtoiLike(scanner.GoToScreenText()));
        result += ']';
    }
    result += ',';
}

} // namespace

std::string OptimizedMacroCode(std::string_view code) {
    std::string result;
    result.reserve(code.size());
    bool inRun = false;
    size_t lastLength = 0; // of the go-to-screen token last appended, with its comma
    CMacroScanner scanner(code);
    while (const auto token = scanner.Next()) {
        if (IsGoToScreenToken(*token)) {
            // The token before is the go-to-screen step this one overrides.
            if (inRun)
                result.resize(result.size() - lastLength);
            inRun = true;
            const size_t start = result.size();
            AppendGoToScreen(result, *token, scanner);
            lastLength = result.size() - start;
        } else {
            inRun = false;
            result += *token;
            result += ',';
        }
    }
    return result;
}

bool OptimizeMacro(CViewCore& view) {
    CScreenStore& s = view.Store();
    s.m_macroCode = OptimizedMacroCode(s.m_macroCode);
    RebuildMacroList(view);
    return true;
}
