#include "cli/CliSession.h"

#include "app/DocumentCommands.h"
#include "cli/EscapedText.h"
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

constexpr int kFont16Height = -16;
constexpr int kFont32Height = -32;

} // namespace

CCliSession::CCliSession()
    : m_view(m_platform, m_doc, ReadImportFont(CEmptyProfile(), kFont16Height),
             ReadImportFont(CEmptyProfile(), kFont32Height)) {
    // Start-up ends with the first New, which brings the ten blank screens of
    // the document into select1.
    NewAnimation(m_view);
}

void CCliSession::PrintMessagesSince(size_t mark, std::ostream& err,
                                     const std::string& fallback) const {
    const auto& messages = m_platform.messages;
    // The texts hold the file names as given, which may hold anything.
    for (size_t i = mark; i < messages.size(); ++i)
        err << EscapedText(messages[i].text) << '\n';
    if (mark >= messages.size())
        err << EscapedText(fallback) << '\n';
}
