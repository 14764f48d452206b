#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Art-Net 4 ArtDmx packets: one universe's DMX data to a 15-bit port address.

inline constexpr int kArtDmxHeaderBytes = 18;

// The ArtDmx packet of `data` (2 to 512 channels; an odd count gets a zero
// channel appended, as the length must be even, a longer span is cut at 512)
// for `portAddress` (net in bits 14..8, sub-net in 7..4, universe in 3..0)
// with `sequence` (1..255; 0 turns the receiver's reordering off).
std::vector<std::uint8_t> EncodeArtDmx(std::uint16_t portAddress, std::uint8_t sequence,
                                       std::span<const std::uint8_t> data);
