#include "cli/CliMessages.h"

#include "headless/HeadlessSession.h"

void PrintMessagesSince(const CHeadlessSession& session, size_t mark, std::ostream& err,
                        const std::string& fallback) {
    const std::vector<std::string> texts = session.MessagesSince(mark);
    for (const std::string& text : texts)
        err << text << '\n';
    if (texts.empty())
        err << fallback << '\n';
}
