#include "output/LiveOutput.h"

#include "output/ScreenPlayer.h"
#include "output/SignStream.h"

#include <algorithm>

CLiveOutput::~CLiveOutput() {
    Stop();
}

void CLiveOutput::Start(const SOutputTarget& target, const SOutputOptions& options,
                        FFailure onFailure, int minIntervalMs) {
    Stop();
    {
        const std::lock_guard lock(m_mutex);
        m_stop = false;
        m_running = true;
        m_changed = false;
        m_hasScreen = false;
        m_flashUntil = {};
    }
    m_thread = std::thread(&CLiveOutput::Run, this, target, options, std::move(onFailure),
                           std::chrono::milliseconds(std::max(minIntervalMs, 0)));
}

bool CLiveOutput::Running() const {
    const std::lock_guard lock(m_mutex);
    return m_running;
}

void CLiveOutput::Show(const Word* screen) {
    {
        const std::lock_guard lock(m_mutex);
        if (m_hasScreen && std::equal(screen, screen + kWordsPerScreen, m_screen.begin()))
            return;
        std::copy_n(screen, kWordsPerScreen, m_screen.begin());
        m_hasScreen = true;
        m_changed = true;
    }
    m_wake.notify_one();
}

void CLiveOutput::Flash(int milliseconds) {
    {
        const std::lock_guard lock(m_mutex);
        m_flashUntil = TClock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
        m_changed = true;
    }
    m_wake.notify_one();
}

void CLiveOutput::Stop() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void CLiveOutput::Run(SOutputTarget target, SOutputOptions options, FFailure onFailure,
                      std::chrono::milliseconds minInterval) {
    SOutputError error;
    const auto fail = [&] {
        {
            const std::lock_guard lock(m_mutex);
            m_running = false;
        }
        if (onFailure)
            onFailure(error);
    };
    const std::unique_ptr<CSignStream> stream = CSignStream::Open(target, options, error);
    if (!stream) {
        fail();
        return;
    }
    const std::chrono::milliseconds keepAlive(kKeepAliveMs);
    std::array<Word, kWordsPerScreen> screen{};
    bool flashing = false;
    // Nothing goes out before the first screen or flash.
    bool sentAny = false;
    TClock::time_point lastSent = TClock::now() - minInterval;
    std::unique_lock lock(m_mutex);
    for (;;) {
        // Sleep until something changed and the minimum interval has passed,
        // the flash ends, or the frame is due again.
        TClock::time_point wake = TClock::now() + std::chrono::hours(1);
        if (m_changed)
            wake = lastSent + minInterval;
        else if (sentAny)
            wake = lastSent + keepAlive;
        if (flashing)
            wake = std::min(wake, m_flashUntil);
        // Any notification comes back round here, so that the wake time
        // follows what changed.
        if (!m_stop && TClock::now() < wake)
            m_wake.wait_until(lock, wake);
        if (m_stop)
            break;
        const TClock::time_point now = TClock::now();
        if (m_changed && now < lastSent + minInterval)
            continue;
        const bool flashNow = now < m_flashUntil;
        if (!m_changed && flashNow == flashing && (!sentAny || now < lastSent + keepAlive))
            continue;
        screen = m_screen;
        m_changed = false;
        flashing = flashNow;
        lock.unlock();
        const bool sent =
            flashing ? stream->SendUniform(true, error) : stream->Send(screen.data(), error);
        lastSent = TClock::now();
        lock.lock();
        if (!sent) {
            lock.unlock();
            fail();
            return;
        }
        sentAny = true;
    }
    m_running = false;
    lock.unlock();
    SOutputError ignored;
    stream->SendUniform(false, ignored);
}
