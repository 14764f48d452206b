#include "cli/SendCommand.h"

#include "cli/EscapedText.h"
#include "cli/ExitCodes.h"
#include "cli/ScreenRange.h"
#include "headless/HeadlessSession.h"
#include "output/ScreenPlayer.h"
#include "output/SignStream.h"

#include <csignal>
#include <utility>
#include <vector>

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) {
    g_stop = 1;
}

// SIGINT and SIGTERM stop the run; without SA_RESTART the sleep between
// frames wakes at once.
void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

int RunSend(const SSendArguments& arguments, std::ostream& err) {
    CHeadlessSession session;
    int status = kExitOk;
    const std::optional<SScreenRange> range =
        OpenScreenRange(session, arguments.file, arguments.range, false, err, status);
    if (!range)
        return status;
    std::vector<Word> screens;
    for (int n = range->from; n <= range->to; ++n) {
        const auto words = std::as_const(session.View().Store()).ScreenAt(0, n);
        screens.insert(screens.end(), words.begin(), words.end());
    }

    CatchStopSignals();
    SOutputError error;
    const std::unique_ptr<CSignStream> stream =
        CSignStream::Open(arguments.target, arguments.options, error);
    if (!stream) {
        err << "glowmotion-cli: " << EscapedText(OutputErrorText(error)) << '\n';
        return kExitFailed;
    }
    SPlayback playback;
    playback.delayMs = arguments.delayMs;
    playback.repeat = arguments.repeat;
    playback.forever = arguments.forever;
    switch (PlayScreens(*stream, screens, playback, &g_stop, error)) {
    case EPlayEnd::Finished:
        return kExitOk;
    case EPlayEnd::Stopped:
        if (arguments.forever)
            return kExitOk;
        err << "glowmotion-cli: interrupted; the sign was turned off\n";
        return kExitFailed;
    case EPlayEnd::Failed:
        break;
    }
    err << "glowmotion-cli: " << EscapedText(OutputErrorText(error)) << '\n';
    return kExitFailed;
}
