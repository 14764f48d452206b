#include "cli/ShowCommand.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/EscapedText.h"
#include "cli/ExitCodes.h"
#include "headless/HeadlessSession.h"

#include <string>

namespace {

// Opens `file` into select1 of a fresh session, as File > Open does; on
// failure prints the message the editor would have shown.
bool OpenForReading(CHeadlessSession& session, const std::string& file, std::ostream& err) {
    const size_t mark = session.MessageCount();
    if (OpenAnimation(session.View(), session.Doc(), file))
        return true;
    PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot open " + file);
    return false;
}

} // namespace

int RunShow(const SShowOptions& options, std::ostream& out, std::ostream& err) {
    CHeadlessSession session;
    if (!OpenForReading(session, options.file, err))
        return kExitFailed;
    const int count = session.Doc().ScreenCount();
    if (options.screen < 1 || options.screen > count) {
        err << "glowmotion-cli: " << EscapedText(options.file) << " has no screen "
            << EscapedText(options.screenText);
        if (count == 0)
            err << " (it holds no screens)\n";
        else
            err << " (its screens are 1 to " << count << ")\n";
        return kExitUsage;
    }
    const auto words = session.View().Store().ScreenAt(0, static_cast<int>(options.screen));
    std::string text;
    text.reserve(kScreenRows * (kScreenColumns + 1));
    for (int row = 0; row < kScreenRows; ++row) {
        for (int column = 0; column < kScreenColumns; ++column)
            text += TestDot(words.data(), column, row) ? '#' : '.';
        text += '\n';
    }
    out << text;
    return kExitOk;
}

int RunInfo(const SShowOptions& options, std::ostream& out, std::ostream& err) {
    CHeadlessSession session;
    if (!OpenForReading(session, options.file, err))
        return kExitFailed;
    out << "screens: " << session.Doc().ScreenCount() << '\n';
    return kExitOk;
}
