#include "TestSession.h"

#include "app/DocumentCommands.h"
#include "store/CommandIds.h"

namespace {

CLogFont DefaultFont(int height) {
    CLogFont font;
    font.height = height;
    font.faceName = "ＭＳ ゴシック";
    return font;
}

} // namespace

CTestSession::CTestSession()
    : view(platform, doc, DefaultFont(-16), DefaultFont(-32)), dispatch(view) {
    NewAnimation(view);
}

void CTestSession::Click(int id) {
    CFormValues& form = s().m_form;
    switch (id) {
    case IDC_MACRO_RECORD:
        dispatch.OnCheckChanged(id, !form.recording);
        break;
    case IDC_MACRO_BREAK:
        dispatch.OnCheckChanged(id, !form.breakFlag);
        break;
    case IDC_SELECT1:
        dispatch.OnRadioChanged(0);
        break;
    case IDC_SELECT2:
        dispatch.OnRadioChanged(1);
        break;
    case IDC_SELECT3:
        dispatch.OnRadioChanged(2);
        break;
    default:
        break;
    }
    dispatch.OnCommand(id);
}

std::vector<Word> CTestSession::Screen(int bank, int n) const {
    auto words = view.Store().ScreenAt(bank, n);
    return {words.begin(), words.end()};
}

std::vector<std::string> CTestSession::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : platform.messages)
        texts.push_back(message.text);
    return texts;
}
