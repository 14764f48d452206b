#pragma once

#include "TestSession.h"

#include "app/CommandTable.h"
#include "store/CommandIds.h"
#include "view/Navigation.h"

#include <string>
#include <vector>

// Helpers of the screen editing tests: banks whose screens all differ, and
// commands pressed with or without SHIFT.

// Word `column` of pattern screen `n` of `bank`: all distinct, none 0.
inline Word PatternWord(int bank, int n, int column) {
    return 0x80000000u | static_cast<Word>(bank) << 24 | static_cast<Word>(n) << 8 |
           static_cast<Word>(column);
}

inline std::vector<Word> PatternScreen(int bank, int n) {
    std::vector<Word> words;
    for (int column = 0; column < kWordsPerScreen; ++column)
        words.push_back(PatternWord(bank, n, column));
    return words;
}

inline const std::vector<Word> kBlankScreen(kWordsPerScreen, 0);

// A session with recording on.
struct CEditSession : CTestSession {
    CEditSession() { Click(IDC_MACRO_RECORD); }

    // Bank `bank` holds pattern screens 1..800 and counts `count` of them.
    void Fill(int bank, int count) {
        for (int n = 1; n <= kMaxScreens; ++n)
            for (int column = 0; column < kWordsPerScreen; ++column)
                s().ScreenAt(bank, n)[column] = PatternWord(bank, n, column);
        s().m_screenCount[bank] = s().m_displayedCount[bank] = count;
        view.UpdateData(false);
    }

    void Press(int id, bool shift = false) {
        platform.shiftDown = shift;
        Click(id);
        platform.shiftDown = false;
    }

    // Plays `code` as the macro; the recorded one is kept.
    void Play(const std::string& code) {
        const std::string kept = s().m_macroCode;
        s().m_macroCode = code;
        StartMacro(view);
        s().m_macroCode = kept;
    }
};
