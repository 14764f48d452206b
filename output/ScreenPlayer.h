#pragma once

#include "output/OutputError.h"
#include "output/SignStream.h"
#include "store/ScreenGeometry.h"

#include <csignal>
#include <functional>
#include <span>

// Plays screens on a sign at a steady pace, as `glowmotion-cli send` does.

// The longest a sign goes without a frame: receivers drop a source they
// have not heard from for a few seconds (E1.31 after 2.5 s, WLED's realtime
// mode after its timeout), so an unchanged frame is sent again.
inline constexpr int kKeepAliveMs = 800;

// How a run plays: each screen `delayMs` long, the whole run `repeat`
// times, or until stopped.
struct SPlayback {
    int delayMs = 100;
    int repeat = 1;
    bool forever = false;
    int keepAliveMs = kKeepAliveMs;
};

enum class EPlayEnd { Finished, Stopped, Failed };

// Sends the `screens` (48 words each) through `stream`, screen k of the run
// at start + k x delay on the monotonic clock, and waits out the last
// screen's time. Between frames the last one goes again every keepAliveMs.
// When `stop` becomes nonzero the sign gets a frame with every dot off and
// Stopped is returned; Failed (with `error`) when the sign cannot be reached.
// `sent` is told of every frame (not of the keep-alive repeats).
EPlayEnd PlayScreens(CSignStream& stream, std::span<const Word> screens, const SPlayback& playback,
                     const volatile std::sig_atomic_t* stop, SOutputError& error,
                     const std::function<void(long long frame)>& sent = {});
