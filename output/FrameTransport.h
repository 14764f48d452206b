#pragma once

#include "output/OutputError.h"

#include <cstdint>
#include <span>

// Carries the packets of a frame to a sign: a UDP socket or a serial line.
class CFrameTransport {
public:
    virtual ~CFrameTransport() = default;
    // Sends one packet (a datagram, or bytes on the line). False with
    // `error` set when the sign cannot be reached any more; a packet lost on
    // the way is no failure.
    virtual bool Send(std::span<const std::uint8_t> packet, SOutputError& error) = 0;
};
