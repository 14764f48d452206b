#include "cli/ExportCommand.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/EscapedText.h"
#include "cli/ExitCodes.h"
#include "headless/HeadlessSession.h"

int RunExport(const SExportArguments& arguments, std::ostream& err) {
    CHeadlessSession session;
    size_t mark = session.MessageCount();
    if (!OpenAnimation(session.View(), session.Doc(), arguments.file)) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot open " + arguments.file);
        return kExitFailed;
    }
    const int count = session.Doc().ScreenCount();
    if (count == 0) {
        err << "glowmotion-cli: " << EscapedText(arguments.file) << " holds no screens\n";
        return kExitUsage;
    }
    const long long from = arguments.from.value_or(1);
    // An X11 bitmap holds one screen: --to, if given, equals --from.
    const bool oneScreen = arguments.options.format == EExportFormat::Xbm;
    const long long to = arguments.to.value_or(oneScreen ? from : count);
    const auto outside = [count](long long n) { return n < 1 || n > count; };
    if (outside(from) || outside(to)) {
        const std::string& text = outside(from) ? arguments.fromText : arguments.toText;
        err << "glowmotion-cli: " << EscapedText(arguments.file) << " has no screen "
            << EscapedText(text) << " (its screens are 1 to " << count << ")\n";
        return kExitUsage;
    }
    if (from > to) {
        err << "glowmotion-cli: --from " << from << " comes after --to " << to << '\n';
        return kExitUsage;
    }
    SExportOptions options = arguments.options;
    options.from = static_cast<int>(from);
    options.to = static_cast<int>(to);
    mark = session.MessageCount();
    if (ExportScreens(session.View(), arguments.out, options) != EExportResult::Written) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + arguments.out);
        return kExitFailed;
    }
    return kExitOk;
}
