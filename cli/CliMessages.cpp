#include "cli/CliMessages.h"

#include "cli/EscapedText.h"
#include "headless/HeadlessSession.h"

void PrintMessagesSince(const CHeadlessSession& session, size_t mark, std::ostream& err,
                        const std::string& fallback) {
    const std::vector<std::string> texts = session.MessagesSince(mark);
    // The texts hold the file names as given, which may hold anything.
    for (const std::string& text : texts)
        err << EscapedText(text) << '\n';
    if (texts.empty())
        err << EscapedText(fallback) << '\n';
}
