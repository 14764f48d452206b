#include "output/SignStream.h"

#include "output/ArtNetPacket.h"
#include "output/DdpPacket.h"
#include "output/FlaschenTaschenPacket.h"
#include "output/SerialTransport.h"
#include "output/Tpm2Packet.h"
#include "output/UdpTransport.h"

#include <algorithm>
#include <span>

namespace {

// FlaschenTaschen takes a picture, rows from the top: its own order whatever
// the wiring, and the server places it.
CPanelMap MapFor(const SOutputTarget& target, const SOutputOptions& options) {
    if (target.kind == EOutputKind::FlaschenTaschen)
        return CPanelMap(SWiring{});
    return CPanelMap(options.wiring, options.panelWidth, options.panelHeight, options.offsetX,
                     options.offsetY);
}

void Channels(const std::vector<std::uint8_t>& levels, bool single, const SOutputOptions& options,
              std::vector<std::uint8_t>& out) {
    out.clear();
    out.reserve(levels.size() * (single ? 1 : 3));
    for (const std::uint8_t level : levels) {
        if (single) {
            out.push_back(level != 0 ? 255 : 0);
            continue;
        }
        const SLedColour& colour = level != 0 ? options.lit : options.off;
        out.push_back(colour.red);
        out.push_back(colour.green);
        out.push_back(colour.blue);
    }
}

} // namespace

CSignStream::CSignStream(const SOutputTarget& target, const SOutputOptions& options,
                         std::unique_ptr<CFrameTransport> transport)
    : m_target(target), m_options(options), m_transport(std::move(transport)),
      m_map(MapFor(target, options)) {
    m_source.cid = NewComponentId();
    if (IsDmxKind(target.kind))
        m_universeSequence.assign(static_cast<size_t>(UniverseCount(target, options)), 0);
}

std::unique_ptr<CSignStream> CSignStream::Open(const SOutputTarget& target,
                                               const SOutputOptions& options, SOutputError& error) {
    std::unique_ptr<CFrameTransport> transport;
    if (target.kind == EOutputKind::Tpm2Serial)
        transport = CSerialTransport::Open(target.device, target.baud, error);
    else
        transport = CUdpTransport::Open(target.host, target.port, error);
    if (!transport)
        return nullptr;
    return std::make_unique<CSignStream>(target, options, std::move(transport));
}

std::vector<std::vector<std::uint8_t>>
CSignStream::Encode(const std::vector<std::uint8_t>& levels) {
    const bool dmx = IsDmxKind(m_target.kind);
    Channels(levels, dmx && !m_options.dmxRgb, m_options, m_channels);
    const std::span<const std::uint8_t> channels(m_channels);
    std::vector<std::vector<std::uint8_t>> packets;
    switch (m_target.kind) {
    case EOutputKind::E131:
    case EOutputKind::ArtNet: {
        const size_t per = static_cast<size_t>(ChannelsPerUniverse(m_options));
        for (size_t n = 0; n < m_universeSequence.size(); ++n) {
            const size_t first = std::min(n * per, channels.size());
            const std::span<const std::uint8_t> part =
                channels.subspan(first, std::min(per, channels.size() - first));
            const auto universe =
                static_cast<std::uint16_t>(m_target.universe + static_cast<int>(n));
            std::uint8_t& sequence = m_universeSequence[n];
            if (m_target.kind == EOutputKind::E131) {
                packets.push_back(EncodeE131Packet(m_source, universe, sequence++, part));
            } else {
                // Art-Net counts 1..255; 0 would tell the receiver not to.
                sequence = static_cast<std::uint8_t>(sequence % 255 + 1);
                packets.push_back(EncodeArtDmx(universe, sequence, part));
            }
        }
        break;
    }
    case EOutputKind::Ddp:
        m_frameSequence = static_cast<std::uint8_t>(m_frameSequence % 15 + 1);
        packets = EncodeDdpFrame(channels, m_frameSequence);
        break;
    case EOutputKind::Tpm2Net:
        packets = EncodeTpm2NetFrame(channels);
        break;
    case EOutputKind::FlaschenTaschen:
        packets.push_back(EncodeFlaschenTaschen(channels, kScreenColumns, kScreenRows,
                                                m_options.offsetX, m_options.offsetY));
        break;
    case EOutputKind::Tpm2Serial:
        packets.push_back(EncodeTpm2Frame(channels));
        break;
    }
    return packets;
}

bool CSignStream::SendLevels(const std::vector<std::uint8_t>& levels, SOutputError& error) {
    for (const std::vector<std::uint8_t>& packet : Encode(levels))
        if (!m_transport->Send(packet, error))
            return false;
    return true;
}

bool CSignStream::Send(const Word* screen, SOutputError& error) {
    m_map.Sample(screen, m_levels);
    return SendLevels(m_levels, error);
}

bool CSignStream::SendUniform(bool lit, SOutputError& error) {
    m_levels.assign(static_cast<size_t>(m_map.DotCount()), lit ? 1 : 0);
    return SendLevels(m_levels, error);
}
