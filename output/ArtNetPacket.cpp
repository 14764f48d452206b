#include "output/ArtNetPacket.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kId[8] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
constexpr unsigned kOpDmx = 0x5000;
constexpr unsigned kProtocolVersion = 14;

} // namespace

std::vector<std::uint8_t> EncodeArtDmx(std::uint16_t portAddress, std::uint8_t sequence,
                                       std::span<const std::uint8_t> data) {
    const std::size_t count = std::min<std::size_t>(data.size(), 512);
    std::size_t length = std::max<std::size_t>(count, 2);
    length += length % 2;
    std::vector<std::uint8_t> out(kArtDmxHeaderBytes + length, 0);
    std::copy(std::begin(kId), std::end(kId), out.begin());
    out[8] = static_cast<std::uint8_t>(kOpDmx & 0xff); // the op code is little-endian
    out[9] = static_cast<std::uint8_t>(kOpDmx >> 8);
    out[10] = static_cast<std::uint8_t>(kProtocolVersion >> 8);
    out[11] = static_cast<std::uint8_t>(kProtocolVersion & 0xff);
    out[12] = sequence;
    out[13] = 0; // physical input port
    out[14] = static_cast<std::uint8_t>(portAddress & 0xff);
    out[15] = static_cast<std::uint8_t>((portAddress >> 8) & 0x7f);
    out[16] = static_cast<std::uint8_t>(length >> 8);
    out[17] = static_cast<std::uint8_t>(length & 0xff);
    std::copy_n(data.begin(), count, out.begin() + kArtDmxHeaderBytes);
    return out;
}
