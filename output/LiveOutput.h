#pragma once

#include "output/OutputError.h"
#include "output/OutputOptions.h"
#include "output/OutputTarget.h"
#include "store/ScreenGeometry.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Live output for the editor: a sending thread of its own takes the screen
// the editor shows and keeps the sign showing it. Handing a screen over only
// copies 48 words, so a slow or unreachable sign never holds the caller; a
// newer screen replaces one not yet sent (the latest wins).
class CLiveOutput {
public:
    // Called on the sending thread when the sign cannot be reached, as the
    // last thing the run does. It must not call Stop() or Start() itself:
    // hand the news to another thread.
    using FFailure = std::function<void(const SOutputError& error)>;

    CLiveOutput() = default;
    // Stops as Stop() does.
    ~CLiveOutput();
    CLiveOutput(const CLiveOutput&) = delete;
    CLiveOutput& operator=(const CLiveOutput&) = delete;

    // Starts sending to `target` (stopping a run before). Opening the target
    // (resolving its name, opening the device) happens on the sending thread;
    // a failure there or later is reported through `onFailure` and ends the
    // run. The first frame goes with the first Show or Flash; frames go at
    // most every `minIntervalMs`, and an unchanged one again every
    // kKeepAliveMs.
    void Start(const SOutputTarget& target, const SOutputOptions& options, FFailure onFailure,
               int minIntervalMs = 20);

    // Whether a run is going (it has not been stopped and has not failed).
    bool Running() const;

    // The 48-word screen the sign should show now.
    void Show(const Word* screen);

    // Lights every dot of the sign for `milliseconds`, then shows the latest
    // screen again.
    void Flash(int milliseconds);

    // Ends the run: the sign gets a frame with every dot off, then the thread
    // ends. Waits for it (at most the serial line's two-second write limit).
    void Stop();

private:
    using TClock = std::chrono::steady_clock;

    void Run(SOutputTarget target, SOutputOptions options, FFailure onFailure,
             std::chrono::milliseconds minInterval);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    std::array<Word, kWordsPerScreen> m_screen{};
    bool m_changed = false;
    bool m_hasScreen = false;
    bool m_stop = false;
    bool m_running = false;
    TClock::time_point m_flashUntil{};
};
