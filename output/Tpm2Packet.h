#pragma once

#include <cstdint>
#include <span>
#include <vector>

// TPM2 frames: over a serial line (one block a frame) and over UDP as
// tpm2.net (a frame split into numbered packets).

// Data bytes a TPM2 frame holds (its size field has 16 bits).
inline constexpr int kTpm2MaxFrameData = 65535;
// tpm2.net: data bytes a packet carries at most (480 whole RGB dots, so that
// a packet fits an Ethernet frame), and packets a frame takes at most.
inline constexpr int kTpm2NetPacketData = 1440;
inline constexpr int kTpm2NetMaxPackets = 255;

// The serial block of `rgb`: 0xC9, 0xDA, the size (big-endian), the data,
// 0x36. Data past kTpm2MaxFrameData bytes is cut.
std::vector<std::uint8_t> EncodeTpm2Frame(std::span<const std::uint8_t> rgb);

// The tpm2.net packets of `rgb`: 0x9C, 0xDA, this packet's data size
// (big-endian), the packet number (1-based), the number of packets, the
// data, 0x36. Every packet but the last carries kTpm2NetPacketData bytes, so
// a receiver finds a packet's place from its number. An empty frame gives one
// empty packet; data past kTpm2NetMaxPackets packets is cut.
std::vector<std::vector<std::uint8_t>> EncodeTpm2NetFrame(std::span<const std::uint8_t> rgb);
