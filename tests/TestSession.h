#pragma once

#include "app/QuorvelDoc.h"
#include "store/Dispatcher.h"
#include "store/HeadlessPlatform.h"
#include "store/ViewCore.h"
#include "TestFiles.h"

#include <string>

// A freshly started editor without a window: headless platform, document,
// view core and its dispatch table, with the first New already done.
struct CTestSession {
    CTestSession();

    CHeadlessPlatform platform;
    CQuorvelDoc doc;
    CViewCore view;
    CDispatcher dispatch;

    CScreenStore& s() { return view.Store(); }

    // Clicks a button (BN_CLICKED); for the push-like check boxes and radio
    // buttons the control first takes its new state, as a real click does.
    void Click(int id);

    // Screen n of bank b as 48 column words.
    std::vector<Word> Screen(int bank, int n) const;

    // Texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts() const;
};
