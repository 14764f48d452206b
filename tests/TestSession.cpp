#include "TestSession.h"

#include "app/DocumentCommands.h"
#include "store/CommandIds.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

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

CTempDir::CTempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "glowmotion-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    m_dir = pattern;
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_dir, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
