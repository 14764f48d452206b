#pragma once

#include <cstdint>
#include <span>
#include <vector>

// DDP (Distributed Display Protocol) packets of one RGB frame.

inline constexpr int kDdpHeaderBytes = 10;
// Data bytes a packet carries at most: 480 whole RGB dots.
inline constexpr int kDdpPacketData = 1440;

// The packets of `rgb` (three bytes a dot): version 1, the frame's
// `sequence` (1..15) in every packet, data type RGB 8 bits a channel, the
// default output device, each packet's byte offset into the frame, at most
// kDdpPacketData data bytes a packet, and the push flag on the last one. An
// empty frame gives one empty pushed packet.
std::vector<std::vector<std::uint8_t>> EncodeDdpFrame(std::span<const std::uint8_t> rgb,
                                                      std::uint8_t sequence);
