#include "output/Tpm2Packet.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kSerialStart = 0xc9;
constexpr std::uint8_t kNetStart = 0x9c;
constexpr std::uint8_t kDataFrame = 0xda;
constexpr std::uint8_t kEnd = 0x36;

} // namespace

std::vector<std::uint8_t> EncodeTpm2Frame(std::span<const std::uint8_t> rgb) {
    const std::size_t size = std::min<std::size_t>(rgb.size(), kTpm2MaxFrameData);
    std::vector<std::uint8_t> out;
    out.reserve(size + 5);
    out.push_back(kSerialStart);
    out.push_back(kDataFrame);
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(size & 0xff));
    out.insert(out.end(), rgb.begin(), rgb.begin() + static_cast<std::ptrdiff_t>(size));
    out.push_back(kEnd);
    return out;
}

std::vector<std::vector<std::uint8_t>> EncodeTpm2NetFrame(std::span<const std::uint8_t> rgb) {
    const std::size_t size =
        std::min<std::size_t>(rgb.size(), std::size_t{kTpm2NetMaxPackets} * kTpm2NetPacketData);
    const std::size_t count =
        std::max<std::size_t>(1, (size + kTpm2NetPacketData - 1) / kTpm2NetPacketData);
    std::vector<std::vector<std::uint8_t>> packets;
    packets.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t offset = n * kTpm2NetPacketData;
        const std::size_t length = std::min<std::size_t>(size - offset, kTpm2NetPacketData);
        std::vector<std::uint8_t> packet;
        packet.reserve(length + 7);
        packet.push_back(kNetStart);
        packet.push_back(kDataFrame);
        packet.push_back(static_cast<std::uint8_t>(length >> 8));
        packet.push_back(static_cast<std::uint8_t>(length & 0xff));
        packet.push_back(static_cast<std::uint8_t>(n + 1));
        packet.push_back(static_cast<std::uint8_t>(count));
        packet.insert(packet.end(), rgb.begin() + static_cast<std::ptrdiff_t>(offset),
                      rgb.begin() + static_cast<std::ptrdiff_t>(offset + length));
        packet.push_back(kEnd);
        packets.push_back(std::move(packet));
    }
    return packets;
}
