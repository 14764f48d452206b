#include "cli/ExportCommand.h"

#include "cli/CliMessages.h"
#include "cli/ExitCodes.h"
#include "cli/ScreenRange.h"
#include "headless/HeadlessSession.h"

int RunExport(const SExportArguments& arguments, std::ostream& err) {
    CHeadlessSession session;
    int status = kExitOk;
    // An X11 bitmap holds one screen: --to, if given, equals --from.
    const std::optional<SScreenRange> range =
        OpenScreenRange(session, arguments.file, arguments.range,
                        arguments.options.format == EExportFormat::Xbm, err, status);
    if (!range)
        return status;
    SExportOptions options = arguments.options;
    options.from = range->from;
    options.to = range->to;
    const size_t mark = session.MessageCount();
    if (ExportScreens(session.View(), arguments.out, options) != EExportResult::Written) {
        PrintMessagesSince(session, mark, err, "glowmotion-cli: cannot write " + arguments.out);
        return kExitFailed;
    }
    return kExitOk;
}
