#include "TestSession.h"

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

std::vector<std::string> CTestSession::MessageTexts() const {
    return session.MessagesSince(0);
}
