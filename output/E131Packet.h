#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// E1.31 (streaming ACN) data packets: the root layer, the framing layer and
// the DMP layer of one universe's DMX slots, as ANSI E1.31 lays them out.

// Who sends: the component identifier (a UUID, the same for the whole run),
// the name receivers show, and the priority (0..200, 100 by default).
struct SE131Source {
    std::array<std::uint8_t, 16> cid{};
    std::string name = "Glowmotion";
    std::uint8_t priority = 100;
};

// Bytes before the first DMX slot: the layers and the start code.
inline constexpr int kE131HeaderBytes = 126;

// The framing layer's option bits.
inline constexpr std::uint8_t kE131StreamTerminated = 0x40;

// The data packet of `universe` with `slots` (at most 512 values after the
// start code 0) and the universe's `sequence` number. A longer span is cut
// at 512, a longer name at 63 bytes.
std::vector<std::uint8_t> EncodeE131Packet(const SE131Source& source, std::uint16_t universe,
                                           std::uint8_t sequence,
                                           std::span<const std::uint8_t> slots,
                                           std::uint8_t options = 0);

// A random version 4 UUID for a run's source; from the system's random
// numbers, so that two senders never share one.
std::array<std::uint8_t, 16> NewComponentId();
