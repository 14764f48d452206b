// Live output pacing and cost, measured at a receiver on loopback (not a
// test: run build/bench/output_bench on a quiet machine).
//
//   1. 200 frames at 50 ms: the median interval between frames as the
//      receiver sees them, and the whole run (from the first frame to the end
//      of the last frame's time, 10 s).
//   2. 300 frames at 16 ms (60 a second): whether every frame arrives.
//   3. The sending thread's CPU time at 10 frames a second, for DDP and for
//      E1.31 in RGB (ten universes a frame), as a share of one core.

#include "output/OutputTarget.h"
#include "output/ScreenPlayer.h"
#include "output/SignStream.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

// Screen k carries k in binary in the dots of its top row, so the receiver
// can tell the frames apart.
std::vector<Word> NumberedScreens(int count) {
    std::vector<Word> words(static_cast<size_t>(count) * kWordsPerScreen, 0);
    for (int k = 0; k < count; ++k)
        for (int bit = 0; bit < 16; ++bit)
            if ((k >> bit & 1) != 0)
                SetDot(words.data() + static_cast<size_t>(k) * kWordsPerScreen, bit, 0);
    return words;
}

// Takes the DDP frames sent to it: the frame number and the arrival time of
// each frame's pushed packet.
class CDdpListener {
public:
    CDdpListener() {
        m_socket = ::socket(AF_INET, SOCK_DGRAM, 0);
        const int buffer = 8 << 20;
        ::setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local);
        socklen_t length = sizeof local;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &length);
        m_port = ntohs(local.sin_port);
        m_thread = std::thread([this] { Listen(); });
    }
    ~CDdpListener() {
        m_stop = true;
        m_thread.join();
        ::close(m_socket);
    }
    int Port() const { return m_port; }
    struct SFrame {
        int number;
        TClock::time_point at;
    };
    std::vector<SFrame> Frames() {
        const std::lock_guard lock(m_mutex);
        return m_frames;
    }

private:
    void Listen() {
        std::vector<std::uint8_t> packet(2000);
        int number = 0;
        while (!m_stop) {
            pollfd waiting{m_socket, POLLIN, 0};
            if (::poll(&waiting, 1, 20) <= 0)
                continue;
            const ssize_t got = ::recv(m_socket, packet.data(), packet.size(), 0);
            if (got < 10)
                continue;
            const auto at = TClock::now();
            const std::uint32_t offset = static_cast<std::uint32_t>(
                packet[4] << 24 | packet[5] << 16 | packet[6] << 8 | packet[7]);
            if (offset == 0) {
                number = 0;
                for (int bit = 0; bit < 16; ++bit)
                    if (packet[static_cast<size_t>(10 + bit * 3)] != 0)
                        number |= 1 << bit;
            }
            if ((packet[0] & 0x01) != 0) {
                const std::lock_guard lock(m_mutex);
                m_frames.push_back({number, at});
            }
        }
    }

    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop = false;
    std::mutex m_mutex;
    std::vector<SFrame> m_frames;
    std::thread m_thread;
};

double Ms(TClock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

std::unique_ptr<CSignStream> Open(const std::string& text) {
    std::string error;
    const std::optional<SOutputTarget> target = ParseOutputTarget(text, error);
    SOutputOptions options;
    options.dmxRgb = true;
    SOutputError failure;
    std::unique_ptr<CSignStream> stream = CSignStream::Open(*target, options, failure);
    if (!stream)
        std::fprintf(stderr, "%s\n", OutputErrorText(failure).c_str());
    return stream;
}

void Pacing(int delayMs, int count) {
    CDdpListener listener;
    std::unique_ptr<CSignStream> stream =
        Open("ddp://127.0.0.1:" + std::to_string(listener.Port()));
    const std::vector<Word> screens = NumberedScreens(count);
    SPlayback playback;
    playback.delayMs = delayMs;
    SOutputError error;
    const auto start = TClock::now();
    PlayScreens(*stream, screens, playback, nullptr, error);
    const auto end = TClock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<CDdpListener::SFrame> frames = listener.Frames();
    int inOrder = 0;
    for (size_t i = 0; i < frames.size(); ++i)
        inOrder += frames[i].number == static_cast<int>(i) ? 1 : 0;
    std::vector<double> intervals;
    for (size_t i = 1; i < frames.size(); ++i)
        intervals.push_back(Ms(frames[i].at - frames[i - 1].at));
    std::vector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    std::printf("%d frames at %d ms: %zu received, %d in order; interval median %.3f ms, "
                "min %.3f, max %.3f\n",
                count, delayMs, frames.size(), inOrder, median, sorted.empty() ? 0 : sorted.front(),
                sorted.empty() ? 0 : sorted.back());
    if (!frames.empty())
        std::printf("  first to last frame %.3f ms (due %d), whole run %.3f ms (due %d)\n",
                    Ms(frames.back().at - frames.front().at), (count - 1) * delayMs,
                    Ms(end - start), count * delayMs);
}

double ThreadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

void Cost(const std::string& scheme, const std::string& path) {
    CDdpListener listener; // a port that takes the datagrams, whatever they are
    std::unique_ptr<CSignStream> stream =
        Open(scheme + "127.0.0.1:" + std::to_string(listener.Port()) + path);
    const std::vector<Word> screens = NumberedScreens(50);
    SPlayback playback;
    playback.delayMs = 100;
    SOutputError error;
    const double cpuBefore = ThreadCpuMs();
    const auto start = TClock::now();
    PlayScreens(*stream, screens, playback, nullptr, error);
    const double cpu = ThreadCpuMs() - cpuBefore;
    const double wall = Ms(TClock::now() - start);
    std::printf("%s at 10 frames a second: %.1f ms of CPU in %.0f ms, %.3f %% of a core "
                "(%.1f us a frame)\n",
                scheme.c_str(), cpu, wall, 100.0 * cpu / wall, 1000.0 * cpu / 50);
}

} // namespace

int main() {
    Pacing(50, 200);
    Pacing(16, 300);
    Cost("ddp://", "");
    Cost("e131://", "/1");
    return 0;
}
