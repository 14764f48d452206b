#include "cli/SendCommand.h"

#include "app/DocumentCommands.h"
#include "cli/CliMessages.h"
#include "cli/EscapedText.h"
#include "cli/ExitCodes.h"
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
    const size_t mark = session.MessageCount();
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
    const long long to = arguments.to.value_or(count);
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
    std::vector<Word> screens;
    for (long long n = from; n <= to; ++n) {
        const auto words = std::as_const(session.View().Store()).ScreenAt(0, static_cast<int>(n));
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
