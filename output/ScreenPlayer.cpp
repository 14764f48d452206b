#include "output/ScreenPlayer.h"

#include "output/FramePacer.h"

#include <algorithm>

namespace {

using std::chrono::milliseconds;

// Waits until `deadline`, repeating the frame last sent whenever the sign
// would otherwise go keepAlive without one. False when stopped or failed.
bool WaitKeepingAlive(CSignStream& stream, const Word* shown, TOutputClock::time_point deadline,
                      TOutputClock::time_point& lastSent, milliseconds keepAlive,
                      const volatile std::sig_atomic_t* stop, SOutputError& error, bool& failed) {
    for (;;) {
        const TOutputClock::time_point repeat = lastSent + keepAlive;
        if (shown == nullptr || repeat >= deadline)
            return SleepUntil(deadline, stop);
        if (!SleepUntil(repeat, stop))
            return false;
        if (!stream.Send(shown, error)) {
            failed = true;
            return false;
        }
        lastSent = repeat;
    }
}

} // namespace

EPlayEnd PlayScreens(CSignStream& stream, std::span<const Word> screens, const SPlayback& playback,
                     const volatile std::sig_atomic_t* stop, SOutputError& error,
                     const std::function<void(long long frame)>& sent) {
    const long long count = static_cast<long long>(screens.size()) / kWordsPerScreen;
    const milliseconds delay(std::max(playback.delayMs, 1));
    const milliseconds keepAlive(std::max(playback.keepAliveMs, 1));
    const long long total = playback.forever ? -1 : count * std::max(playback.repeat, 0);
    const TOutputClock::time_point start = TOutputClock::now();
    TOutputClock::time_point lastSent = start;
    const Word* shown = nullptr;
    bool failed = false;
    const auto stopped = [&] {
        if (failed)
            return EPlayEnd::Failed;
        SOutputError ignored;
        stream.SendUniform(false, ignored);
        return EPlayEnd::Stopped;
    };
    for (long long k = 0; count > 0 && (total < 0 || k < total); ++k) {
        const TOutputClock::time_point deadline = start + k * delay;
        if (!WaitKeepingAlive(stream, shown, deadline, lastSent, keepAlive, stop, error, failed))
            return stopped();
        shown = screens.data() + (k % count) * kWordsPerScreen;
        if (!stream.Send(shown, error))
            return EPlayEnd::Failed;
        // The deadline, not the moment: the next repeat keeps the pace.
        lastSent = std::max(deadline, lastSent);
        if (sent)
            sent(k);
    }
    // The last screen stays for its time, as every other did.
    if (!WaitKeepingAlive(stream, shown, start + std::max(total, 0LL) * delay, lastSent, keepAlive,
                          stop, error, failed))
        return stopped();
    return EPlayEnd::Finished;
}
