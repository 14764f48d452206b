#pragma once

#include "headless/HeadlessSession.h"

#include <string>

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
