#include "output/SerialTransport.h"

#include "output/OutputTarget.h"

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kWriteTimeoutMs = 2000;

// The rates a serial line is set to, with their termios codes.
struct SBaud {
    int rate;
    speed_t code;
};
constexpr SBaud kBauds[] = {
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

const SBaud* FindBaud(int rate) {
    for (const SBaud& baud : kBauds)
        if (baud.rate == rate)
            return &baud;
    return nullptr;
}

} // namespace

bool IsSupportedBaud(int baud) {
    return FindBaud(baud) != nullptr;
}

CSerialTransport::~CSerialTransport() {
    ::close(m_fd);
}

std::unique_ptr<CSerialTransport> CSerialTransport::Open(const std::string& device, int baud,
                                                         SOutputError& error) {
    // Non-blocking, so that neither a modem line waiting for its carrier nor
    // a full buffer can hold the sender.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = OutputFailure(EOutputFailure::OpenDevice, device, errno);
        return nullptr;
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        const int code = errno;
        ::close(fd);
        error = code == ENOTTY ? OutputFailure(EOutputFailure::NotSerial, device, 0)
                               : OutputFailure(EOutputFailure::Configure, device, code);
        return nullptr;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    // A rate the target's reader let through is always in the table; any
    // other is refused rather than sent at a wrong speed.
    const SBaud* known = FindBaud(baud);
    if (known == nullptr) {
        ::close(fd);
        error = OutputFailure(EOutputFailure::Configure, device, EINVAL);
        return nullptr;
    }
    const speed_t speed = known->code;
    if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0 ||
        ::tcsetattr(fd, TCSANOW, &settings) != 0) {
        const int code = errno;
        ::close(fd);
        error = OutputFailure(EOutputFailure::Configure, device, code);
        return nullptr;
    }
    return std::unique_ptr<CSerialTransport>(new CSerialTransport(fd, device));
}

bool CSerialTransport::Send(std::span<const std::uint8_t> packet, SOutputError& error) {
    std::size_t done = 0;
    while (done < packet.size()) {
        const ssize_t written = ::write(m_fd, packet.data() + done, packet.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN) {
            error = OutputFailure(EOutputFailure::Write, m_device, errno);
            return false;
        }
        pollfd waiting{m_fd, POLLOUT, 0};
        const int ready = ::poll(&waiting, 1, kWriteTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            error = OutputFailure(EOutputFailure::Timeout, m_device, 0);
            return false;
        }
        if (ready < 0 || (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            error = OutputFailure(EOutputFailure::Write, m_device, ready < 0 ? errno : EIO);
            return false;
        }
    }
    return true;
}
