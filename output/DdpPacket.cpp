#include "output/DdpPacket.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kVersion1 = 0x40;
constexpr std::uint8_t kPush = 0x01;
// Type RGB (001) in bits 5..3, 8 bits a channel (011) in bits 2..0.
constexpr std::uint8_t kRgb8 = 0x0b;
constexpr std::uint8_t kDefaultDevice = 1;

} // namespace

std::vector<std::vector<std::uint8_t>> EncodeDdpFrame(std::span<const std::uint8_t> rgb,
                                                      std::uint8_t sequence) {
    std::vector<std::vector<std::uint8_t>> packets;
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min<std::size_t>(rgb.size() - offset, kDdpPacketData);
        const bool last = offset + length == rgb.size();
        std::vector<std::uint8_t> packet(kDdpHeaderBytes + length);
        packet[0] = static_cast<std::uint8_t>(kVersion1 | (last ? kPush : 0));
        packet[1] = static_cast<std::uint8_t>(sequence & 0x0f);
        packet[2] = kRgb8;
        packet[3] = kDefaultDevice;
        for (int k = 0; k < 4; ++k)
            packet[static_cast<std::size_t>(4 + k)] =
                static_cast<std::uint8_t>(offset >> (24 - 8 * k));
        packet[8] = static_cast<std::uint8_t>(length >> 8);
        packet[9] = static_cast<std::uint8_t>(length & 0xff);
        std::copy_n(rgb.begin() + static_cast<std::ptrdiff_t>(offset), length,
                    packet.begin() + kDdpHeaderBytes);
        packets.push_back(std::move(packet));
        offset += length;
    } while (offset < rgb.size());
    return packets;
}
