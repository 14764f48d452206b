#include "headless/HeadlessSession.h"

#include "app/DocumentCommands.h"
#include "store/ProfileFonts.h"

namespace {

// A "Font" section without keys: every font field takes its default.
class CEmptyProfile : public CProfileReader {
public:
    std::optional<long long> ReadInt(const std::string&, const std::string&) const override {
        return std::nullopt;
    }
    std::optional<std::string> ReadString(const std::string&, const std::string&) const override {
        return std::nullopt;
    }
};

} // namespace

CHeadlessSession::CHeadlessSession()
    : m_view(m_platform, m_doc, m_rasterizer, ReadImportFont(CEmptyProfile(), kImportFont16Height),
             ReadImportFont(CEmptyProfile(), kImportFont32Height)),
      m_dispatcher(m_view) {
    // Start-up ends with the first New, which brings the ten blank screens of
    // the document into select1.
    NewAnimation(m_view, m_doc);
}

std::vector<std::string> CHeadlessSession::MessagesSince(size_t mark) const {
    std::vector<std::string> texts;
    for (size_t i = mark; i < m_platform.messages.size(); ++i)
        texts.push_back(m_platform.messages[i].text);
    return texts;
}
