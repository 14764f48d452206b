#pragma once

#include "app/DocumentCommands.h"
#include "app/QuorvelDoc.h"
#include "store/HeadlessPlatform.h"
#include "store/ProfileFonts.h"
#include "store/ViewCore.h"

#include <string>

// A freshly started editor without a window, for benchmarks.
struct SBenchSession {
    static CLogFont DefaultFont(int height) {
        CLogFont font;
        font.height = height;
        font.faceName = kDefaultFaceName;
        return font;
    }

    SBenchSession() : view(platform, doc, DefaultFont(-16), DefaultFont(-32)) {
        NewAnimation(view);
    }

    CHeadlessPlatform platform;
    CQuorvelDoc doc;
    CViewCore view;
};

// A macro code string of `bytes` bytes made of go-to-screen tokens "[N]," for
// screens 1, 2, ... 800, 1, ... cut at the last whole token.
inline std::string GoToScreenMacro(size_t bytes) {
    std::string code;
    std::string token;
    for (int screen = 1;; screen = screen % 800 + 1) {
        token = '[';
        token += std::to_string(screen);
        token += "],";
        if (code.size() + token.size() > bytes)
            return code;
        code += token;
    }
}
