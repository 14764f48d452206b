#pragma once

#include "output/FrameTransport.h"

#include <memory>
#include <string>

// A serial line set to raw 8N1 without flow control at a standard rate.
class CSerialTransport : public CFrameTransport {
public:
    ~CSerialTransport() override;
    CSerialTransport(const CSerialTransport&) = delete;
    CSerialTransport& operator=(const CSerialTransport&) = delete;

    // Opens `device` without making it the controlling terminal and sets it
    // up. nullptr with `error` set when it cannot be opened, is no terminal
    // or refuses the settings.
    static std::unique_ptr<CSerialTransport> Open(const std::string& device, int baud,
                                                  SOutputError& error);

    // Writes all of `packet`. Fails when the line reports an error (the
    // device was unplugged) or takes nothing for two seconds, so that a
    // stuck line never holds the sender for good.
    bool Send(std::span<const std::uint8_t> packet, SOutputError& error) override;

private:
    CSerialTransport(int fd, std::string device) : m_fd(fd), m_device(std::move(device)) {}

    int m_fd;
    std::string m_device;
};
