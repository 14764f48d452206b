#include "output/E131Packet.h"

#include <algorithm>
#include <random>

namespace {

constexpr std::size_t kMaxSlots = 512;
constexpr std::size_t kNameBytes = 64;
constexpr std::uint8_t kPacketIdentifier[12] = {'A', 'S', 'C', '-', 'E', '1',
                                                '.', '1', '7', 0,   0,   0};
constexpr std::uint32_t kVectorRootData = 0x00000004;
constexpr std::uint32_t kVectorFramingData = 0x00000002;
constexpr std::uint8_t kVectorDmpSetProperty = 0x02;
constexpr std::uint8_t kDmpAddressAndDataType = 0xa1;
// The root layer's PDU starts at byte 16, the framing layer's at 38, the
// DMP layer's at 115.
constexpr std::size_t kRootStart = 16;
constexpr std::size_t kFramingStart = 38;
constexpr std::size_t kDmpStart = 115;

void Put16(std::vector<std::uint8_t>& out, std::size_t at, unsigned value) {
    out[at] = static_cast<std::uint8_t>(value >> 8);
    out[at + 1] = static_cast<std::uint8_t>(value);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value >> 16);
    Put16(out, at + 2, value & 0xffff);
}

// A PDU's flags (0x7) and length (from its own first byte to the end).
void PutFlagsAndLength(std::vector<std::uint8_t>& out, std::size_t at) {
    Put16(out, at, 0x7000u | static_cast<unsigned>(out.size() - at));
}

} // namespace

std::vector<std::uint8_t> EncodeE131Packet(const SE131Source& source, std::uint16_t universe,
                                           std::uint8_t sequence,
                                           std::span<const std::uint8_t> slots,
                                           std::uint8_t options) {
    const std::size_t count = std::min(slots.size(), kMaxSlots);
    std::vector<std::uint8_t> out(kE131HeaderBytes + count, 0);
    // Root layer: preamble size 16, post-amble size 0, the identifier.
    Put16(out, 0, 0x0010);
    Put16(out, 2, 0x0000);
    std::copy(std::begin(kPacketIdentifier), std::end(kPacketIdentifier), out.begin() + 4);
    PutFlagsAndLength(out, kRootStart);
    Put32(out, 18, kVectorRootData);
    std::copy(source.cid.begin(), source.cid.end(), out.begin() + 22);
    // Framing layer.
    PutFlagsAndLength(out, kFramingStart);
    Put32(out, 40, kVectorFramingData);
    const std::size_t nameBytes = std::min(source.name.size(), kNameBytes - 1);
    std::copy_n(source.name.begin(), nameBytes, out.begin() + 44);
    out[108] = std::min<std::uint8_t>(source.priority, 200);
    Put16(out, 109, 0); // no synchronization universe
    out[111] = sequence;
    out[112] = options;
    Put16(out, 113, universe);
    // DMP layer: one property run from address 0, start code 0 first.
    PutFlagsAndLength(out, kDmpStart);
    out[117] = kVectorDmpSetProperty;
    out[118] = kDmpAddressAndDataType;
    Put16(out, 119, 0x0000);
    Put16(out, 121, 0x0001);
    Put16(out, 123, static_cast<unsigned>(count + 1));
    out[125] = 0x00;
    std::copy_n(slots.begin(), count, out.begin() + kE131HeaderBytes);
    return out;
}

std::array<std::uint8_t, 16> NewComponentId() {
    std::random_device device;
    std::array<std::uint8_t, 16> id{};
    for (std::size_t i = 0; i < id.size(); i += 4) {
        const unsigned value = device();
        for (std::size_t k = 0; k < 4; ++k)
            id[i + k] = static_cast<std::uint8_t>(value >> (8 * k));
    }
    id[6] = static_cast<std::uint8_t>((id[6] & 0x0f) | 0x40); // version 4
    id[8] = static_cast<std::uint8_t>((id[8] & 0x3f) | 0x80); // RFC 4122 variant
    return id;
}
