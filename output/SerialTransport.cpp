#include "output/SerialTransport.h"

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kWriteTimeoutMs = 2000;

speed_t SpeedOf(int baud) {
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    case 500000:
        return B500000;
    case 576000:
        return B576000;
    case 921600:
        return B921600;
    case 1000000:
        return B1000000;
    case 1152000:
        return B1152000;
    case 1500000:
        return B1500000;
    case 2000000:
        return B2000000;
    case 2500000:
        return B2500000;
    case 3000000:
        return B3000000;
    case 3500000:
        return B3500000;
    case 4000000:
        return B4000000;
    default:
        return B115200;
    }
}

} // namespace

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
    const speed_t speed = SpeedOf(baud);
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
