#pragma once

#include "output/E131Packet.h"
#include "output/FrameTransport.h"
#include "output/OutputOptions.h"
#include "output/OutputTarget.h"
#include "store/DotOrder.h"

#include <cstdint>
#include <memory>
#include <vector>

// The frames of one run of live output to one sign: turns screens into the
// target's packets (dot order, panel, colours, universes) and sends them,
// keeping what a protocol counts from frame to frame (sequence numbers, the
// E1.31 source). One thread uses it at a time.
class CSignStream {
public:
    // A stream over `transport`; `options` must suit `target`
    // (CheckOutputOptions).
    CSignStream(const SOutputTarget& target, const SOutputOptions& options,
                std::unique_ptr<CFrameTransport> transport);

    // Opens the target's socket or serial line and makes a stream over it.
    // nullptr with `error` set when it cannot be reached or opened.
    static std::unique_ptr<CSignStream> Open(const SOutputTarget& target,
                                             const SOutputOptions& options, SOutputError& error);

    // Sends the 48-word `screen` as one frame. False with `error` set when
    // the sign can no longer be reached.
    bool Send(const Word* screen, SOutputError& error);
    // Sends a frame with every dot of the sign lit, or every dot off.
    bool SendUniform(bool lit, SOutputError& error);

private:
    // The packets of a frame with one level (0 unlit, 1 lit) a sign dot in
    // wiring order. Counts the frame's sequence.
    std::vector<std::vector<std::uint8_t>> Encode(const std::vector<std::uint8_t>& levels);
    bool SendLevels(const std::vector<std::uint8_t>& levels, SOutputError& error);

    SOutputTarget m_target;
    SOutputOptions m_options;
    std::unique_ptr<CFrameTransport> m_transport;
    CPanelMap m_map;
    SE131Source m_source;
    // E1.31 and Art-Net count each universe's packets; DDP counts frames.
    std::vector<std::uint8_t> m_universeSequence;
    std::uint8_t m_frameSequence = 0;
    std::vector<std::uint8_t> m_levels;
    std::vector<std::uint8_t> m_channels;
};
