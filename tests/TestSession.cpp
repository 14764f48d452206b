#include "TestSession.h"

#include <gtest/gtest.h>

CTestSession::CTestSession()
    : platform(session.Platform()), doc(session.Doc()), view(session.View()),
      dispatch(session.Dispatcher()) {}

bool CTestSession::Click(int id) {
    const bool* state = s().m_form.CheckState(id);
    return dispatch.OnClick(id, state != nullptr && !*state);
}

std::vector<Word> CTestSession::Screen(int bank, int n) const {
    auto words = view.Store().ScreenAt(bank, n);
    return {words.begin(), words.end()};
}

void ExpectSameScreensAndCounters(const CScreenStore& a, const CScreenStore& b) {
    for (int bank = 0; bank < kBankCount; ++bank)
        EXPECT_TRUE(a.m_banks[bank] == b.m_banks[bank]) << "bank " << bank;
    EXPECT_EQ(a.m_screenCount, b.m_screenCount);
    EXPECT_EQ(a.m_displayedCount, b.m_displayedCount);
    EXPECT_EQ(a.m_bankCurrent, b.m_bankCurrent);
    EXPECT_EQ(a.m_currentBank, b.m_currentBank);
    EXPECT_EQ(a.m_previousBank, b.m_previousBank);
    EXPECT_EQ(a.m_currentScreen, b.m_currentScreen);
    EXPECT_EQ(a.m_previewOffset, b.m_previewOffset);
    EXPECT_TRUE(a.m_screenClip == b.m_screenClip);
    EXPECT_TRUE(a.m_rangeClip == b.m_rangeClip);
    EXPECT_EQ(a.m_rangeClipCount, b.m_rangeClipCount);
}

std::vector<std::string> CTestSession::MessageTexts() const {
    return session.MessagesSince(0);
}
