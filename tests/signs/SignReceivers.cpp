#include "SignReceivers.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

unsigned Be16(const TBytes& b, size_t at) {
    return static_cast<unsigned>(b[at] << 8 | b[at + 1]);
}

std::uint32_t Be32(const TBytes& b, size_t at) {
    return static_cast<std::uint32_t>(Be16(b, at)) << 16 | Be16(b, at + 2);
}

bool Fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}

// Checks the flags (0x7) and the length of the PDU starting at `at`, which
// runs to the end of the packet.
bool PduLength(const TBytes& b, size_t at, const char* layer, std::string& why) {
    const unsigned word = Be16(b, at);
    if ((word >> 12) != 0x7)
        return Fail(why, std::string(layer) + ": flags are not 0x7");
    if ((word & 0x0fff) != b.size() - at)
        return Fail(why, std::string(layer) + ": length " + std::to_string(word & 0x0fff) +
                             " where " + std::to_string(b.size() - at) + " bytes follow");
    return true;
}

} // namespace

CUdpReceiver::CUdpReceiver(const std::string& address, int port) {
    m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        throw std::runtime_error("socket");
    // Room for bursts of many universes.
    const int buffer = 8 << 20;
    ::setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<std::uint16_t>(port));
    ::inet_pton(AF_INET, address.c_str(), &local.sin_addr);
    if (::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
        throw std::runtime_error("bind " + address + ": " + std::strerror(errno));
    socklen_t length = sizeof local;
    ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &length);
    m_port = ntohs(local.sin_port);
    m_thread = std::thread(&CUdpReceiver::Listen, this);
}

CUdpReceiver::~CUdpReceiver() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_thread.join();
    ::close(m_socket);
}

void CUdpReceiver::Listen() {
    std::vector<std::uint8_t> buffer(70000);
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_stop)
                return;
        }
        pollfd waiting{m_socket, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0)
            continue;
        const ssize_t got = ::recv(m_socket, buffer.data(), buffer.size(), 0);
        if (got < 0)
            continue;
        const auto at = std::chrono::steady_clock::now();
        const std::lock_guard lock(m_mutex);
        m_datagrams.push_back({TBytes(buffer.begin(), buffer.begin() + got), at});
    }
}

std::vector<CUdpReceiver::SDatagram> CUdpReceiver::Datagrams() const {
    const std::lock_guard lock(m_mutex);
    return m_datagrams;
}

std::vector<CUdpReceiver::SDatagram>
CUdpReceiver::WaitFor(size_t count, std::chrono::milliseconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        std::vector<SDatagram> now = Datagrams();
        if (now.size() >= count || std::chrono::steady_clock::now() >= end)
            return now;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::vector<CUdpReceiver::SDatagram>
CUdpReceiver::WaitQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    size_t seen = static_cast<size_t>(-1);
    auto since = std::chrono::steady_clock::now();
    for (;;) {
        std::vector<SDatagram> now = Datagrams();
        const auto t = std::chrono::steady_clock::now();
        if (now.size() != seen) {
            seen = now.size();
            since = t;
        }
        if (t - since >= quiet || t >= end)
            return now;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::optional<SDmxPacket> DecodeE131(const TBytes& b, std::string& why) {
    // Root layer 38 bytes, framing layer 77, DMP layer 11 and the start code.
    if (b.size() < 126)
        return Fail(why, "E1.31: shorter than its layers"), std::nullopt;
    static const std::uint8_t kId[12] = {0x41, 0x53, 0x43, 0x2d, 0x45, 0x31,
                                         0x2e, 0x31, 0x37, 0x00, 0x00, 0x00};
    if (Be16(b, 0) != 0x0010 || Be16(b, 2) != 0 || !std::equal(kId, kId + 12, b.begin() + 4))
        return Fail(why, "E1.31: bad preamble or packet identifier"), std::nullopt;
    if (!PduLength(b, 16, "root layer", why) || Be32(b, 18) != 4)
        return why = why.empty() ? "E1.31: root vector is not 4" : why, std::nullopt;
    if (!PduLength(b, 38, "framing layer", why) || Be32(b, 40) != 2)
        return why = why.empty() ? "E1.31: framing vector is not 2" : why, std::nullopt;
    if (!PduLength(b, 115, "DMP layer", why))
        return std::nullopt;
    if (b[117] != 0x02 || b[118] != 0xa1 || Be16(b, 119) != 0 || Be16(b, 121) != 1)
        return Fail(why, "E1.31: bad DMP vector, types, address or increment"), std::nullopt;
    const unsigned count = Be16(b, 123);
    if (count < 1 || count > 513 || 125 + count != b.size())
        return Fail(why, "E1.31: property count does not match the packet"), std::nullopt;
    if (b[125] != 0)
        return Fail(why, "E1.31: start code is not 0"), std::nullopt;
    SDmxPacket packet;
    std::copy(b.begin() + 22, b.begin() + 38, packet.cid.begin());
    const auto nameEnd = std::find(b.begin() + 44, b.begin() + 108, 0);
    if (nameEnd == b.begin() + 108)
        return Fail(why, "E1.31: source name not terminated"), std::nullopt;
    packet.sourceName.assign(b.begin() + 44, nameEnd);
    packet.priority = b[108];
    packet.sequence = b[111];
    packet.options = b[112];
    packet.universe = static_cast<int>(Be16(b, 113));
    packet.values.assign(b.begin() + 126, b.end());
    return packet;
}

std::optional<SDmxPacket> DecodeArtDmx(const TBytes& b, std::string& why) {
    static const char kId[8] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
    if (b.size() < 20 || !std::equal(kId, kId + 8, b.begin()))
        return Fail(why, "Art-Net: no Art-Net header"), std::nullopt;
    if (b[8] != 0x00 || b[9] != 0x50)
        return Fail(why, "Art-Net: not OpDmx (0x5000, low byte first)"), std::nullopt;
    if (Be16(b, 10) < 14)
        return Fail(why, "Art-Net: protocol version below 14"), std::nullopt;
    const unsigned length = Be16(b, 16);
    if (length < 2 || length > 512 || length % 2 != 0 || 18 + length != b.size())
        return Fail(why, "Art-Net: bad length " + std::to_string(length)), std::nullopt;
    if ((b[15] & 0x80) != 0)
        return Fail(why, "Art-Net: net has its top bit set"), std::nullopt;
    SDmxPacket packet;
    packet.sequence = b[12];
    packet.universe = b[15] << 8 | b[14];
    packet.values.assign(b.begin() + 18, b.end());
    return packet;
}

std::optional<SDdpPacket> DecodeDdp(const TBytes& b, std::string& why) {
    if (b.size() < 10)
        return Fail(why, "DDP: shorter than its header"), std::nullopt;
    if ((b[0] & 0xc0) != 0x40)
        return Fail(why, "DDP: not version 1"), std::nullopt;
    const bool timecode = (b[0] & 0x10) != 0;
    const size_t header = timecode ? 14 : 10;
    const unsigned length = Be16(b, 8);
    if (b.size() != header + length)
        return Fail(why, "DDP: length does not match the packet"), std::nullopt;
    if (length > 1440)
        return Fail(why, "DDP: more than 1440 data bytes"), std::nullopt;
    SDdpPacket packet;
    packet.push = (b[0] & 0x01) != 0;
    packet.sequence = b[1] & 0x0f;
    packet.dataType = b[2];
    packet.destination = b[3];
    packet.offset = Be32(b, 4);
    packet.data.assign(b.begin() + static_cast<std::ptrdiff_t>(header), b.end());
    return packet;
}

std::optional<STpm2NetPacket> DecodeTpm2Net(const TBytes& b, std::string& why) {
    if (b.size() < 7 || b[0] != 0x9c || b[1] != 0xda)
        return Fail(why, "tpm2.net: no data frame header"), std::nullopt;
    const unsigned size = Be16(b, 2);
    if (b.size() != size + 7 || b.back() != 0x36)
        return Fail(why, "tpm2.net: size or end byte wrong"), std::nullopt;
    STpm2NetPacket packet;
    packet.number = b[4];
    packet.count = b[5];
    if (packet.number < 1 || packet.number > packet.count)
        return Fail(why, "tpm2.net: packet number outside 1..count"), std::nullopt;
    packet.data.assign(b.begin() + 6, b.end() - 1);
    return packet;
}

namespace {

// Reads the whitespace-separated decimal tokens of a PPM header or footer,
// skipping '#' comments except "#FT:", whose numbers go to `ft`.
class CPnmTokens {
public:
    CPnmTokens(const TBytes& b, size_t at) : m_b(b), m_at(at) {}
    std::optional<std::string> Next(std::vector<int>* ft) {
        for (;;) {
            while (m_at < m_b.size() && std::isspace(m_b[m_at]))
                ++m_at;
            if (m_at >= m_b.size())
                return std::nullopt;
            if (m_b[m_at] != '#')
                break;
            const size_t end =
                std::find(m_b.begin() + static_cast<std::ptrdiff_t>(m_at), m_b.end(), '\n') -
                m_b.begin();
            const std::string comment(m_b.begin() + static_cast<std::ptrdiff_t>(m_at),
                                      m_b.begin() + static_cast<std::ptrdiff_t>(end));
            if (ft != nullptr && comment.rfind("#FT:", 0) == 0) {
                size_t pos = 4;
                while (pos < comment.size()) {
                    size_t used = 0;
                    try {
                        ft->push_back(std::stoi(comment.substr(pos), &used));
                    } catch (...) {
                        break;
                    }
                    pos += used;
                }
            }
            m_at = end;
        }
        const size_t start = m_at;
        while (m_at < m_b.size() && !std::isspace(m_b[m_at]) && m_b[m_at] != '#')
            ++m_at;
        return std::string(m_b.begin() + static_cast<std::ptrdiff_t>(start),
                           m_b.begin() + static_cast<std::ptrdiff_t>(m_at));
    }
    size_t At() const { return m_at; }

private:
    const TBytes& m_b;
    size_t m_at;
};

std::optional<int> Integer(const std::optional<std::string>& token) {
    if (!token || token->empty())
        return std::nullopt;
    for (size_t i = 0; i < token->size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>((*token)[i])) &&
            !(i == 0 && (*token)[0] == '-'))
            return std::nullopt;
    return std::stoi(*token);
}

} // namespace

std::optional<SFtPicture> DecodeFlaschenTaschen(const TBytes& b, std::string& why) {
    CPnmTokens tokens(b, 0);
    std::vector<int> ft;
    if (tokens.Next(&ft) != std::optional<std::string>("P6"))
        return Fail(why, "FT: not a P6 picture"), std::nullopt;
    const std::optional<int> width = Integer(tokens.Next(&ft));
    const std::optional<int> height = Integer(tokens.Next(&ft));
    const std::optional<int> maximum = Integer(tokens.Next(&ft));
    if (!width || !height || maximum != 255 || *width <= 0 || *height <= 0)
        return Fail(why, "FT: bad header"), std::nullopt;
    // One whitespace byte ends the header; the data follows.
    const size_t data = tokens.At() + 1;
    const size_t bytes = static_cast<size_t>(*width * *height * 3);
    if (b.size() < data + bytes)
        return Fail(why, "FT: picture data cut short"), std::nullopt;
    SFtPicture picture;
    picture.width = *width;
    picture.height = *height;
    picture.rgb.assign(b.begin() + static_cast<std::ptrdiff_t>(data),
                       b.begin() + static_cast<std::ptrdiff_t>(data + bytes));
    if (ft.size() >= 2) {
        picture.x = ft[0];
        picture.y = ft[1];
        picture.z = ft.size() > 2 ? ft[2] : 0;
    }
    CPnmTokens footer(b, data + bytes);
    std::vector<int> numbers;
    for (std::optional<std::string> token = footer.Next(nullptr); token;
         token = footer.Next(nullptr)) {
        const std::optional<int> value = Integer(token);
        if (!value)
            return Fail(why, "FT: footer holds '" + *token + "'"), std::nullopt;
        numbers.push_back(*value);
    }
    if (numbers.size() > 3)
        return Fail(why, "FT: footer has more than three numbers"), std::nullopt;
    if (numbers.size() >= 1)
        picture.x = numbers[0];
    if (numbers.size() >= 2)
        picture.y = numbers[1];
    if (numbers.size() >= 3)
        picture.z = numbers[2];
    return picture;
}

std::vector<TBytes> DecodeTpm2Stream(const TBytes& stream, TBytes* rest, std::string& why) {
    std::vector<TBytes> frames;
    size_t at = 0;
    while (at < stream.size()) {
        if (stream[at] != 0xc9) {
            why = "TPM2: byte " + std::to_string(at) + " does not start a block";
            break;
        }
        if (stream.size() - at < 4)
            break;
        if (stream[at + 1] != 0xda) {
            why = "TPM2: not a data frame";
            break;
        }
        const size_t size = Be16(stream, at + 2);
        if (stream.size() - at < size + 5)
            break;
        if (stream[at + 4 + size] != 0x36) {
            why = "TPM2: block does not end with 0x36";
            break;
        }
        frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at + 4),
                            stream.begin() + static_cast<std::ptrdiff_t>(at + 4 + size));
        at += size + 5;
    }
    if (rest != nullptr)
        rest->assign(stream.begin() + static_cast<std::ptrdiff_t>(at), stream.end());
    return frames;
}

namespace {

template <typename FDecode>
std::optional<std::vector<TBytes>> DmxFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                             int first, int universes, FDecode decode,
                                             std::string& why) {
    if (universes <= 0 || in.size() % static_cast<size_t>(universes) != 0)
        return Fail(why, std::to_string(in.size()) + " packets are no whole number of frames of " +
                             std::to_string(universes)),
               std::nullopt;
    std::vector<TBytes> frames;
    for (size_t i = 0; i < in.size(); i += static_cast<size_t>(universes)) {
        TBytes frame;
        int sequence = -1;
        for (int u = 0; u < universes; ++u) {
            const std::optional<SDmxPacket> packet =
                decode(in[i + static_cast<size_t>(u)].bytes, why);
            if (!packet)
                return std::nullopt;
            if (packet->universe != first + u)
                return Fail(why, "packet " + std::to_string(i + static_cast<size_t>(u)) +
                                     " is for universe " + std::to_string(packet->universe)),
                       std::nullopt;
            if (sequence >= 0 && packet->sequence != sequence)
                return Fail(why, "universes of one frame differ in sequence"), std::nullopt;
            sequence = packet->sequence;
            frame.insert(frame.end(), packet->values.begin(), packet->values.end());
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace

std::optional<std::vector<TBytes>> E131Frames(const std::vector<CUdpReceiver::SDatagram>& in,
                                              int first, int universes, std::string& why) {
    return DmxFrames(in, first, universes, DecodeE131, why);
}

std::optional<std::vector<TBytes>> ArtNetFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                                int first, int universes, std::string& why) {
    return DmxFrames(in, first, universes, DecodeArtDmx, why);
}

std::optional<std::vector<TBytes>> DdpFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                             std::string& why) {
    std::vector<TBytes> frames;
    TBytes frame;
    int sequence = -1;
    for (const CUdpReceiver::SDatagram& datagram : in) {
        const std::optional<SDdpPacket> packet = DecodeDdp(datagram.bytes, why);
        if (!packet)
            return std::nullopt;
        if (packet->dataType != 0x0b || packet->destination != 1)
            return Fail(why, "DDP: not RGB 8 bits to the default device"), std::nullopt;
        if (packet->offset != frame.size())
            return Fail(why, "DDP: offset " + std::to_string(packet->offset) + " where " +
                                 std::to_string(frame.size()) + " bytes came"),
                   std::nullopt;
        if (!frame.empty() && packet->sequence != sequence)
            return Fail(why, "DDP: sequence changes within a frame"), std::nullopt;
        sequence = packet->sequence;
        frame.insert(frame.end(), packet->data.begin(), packet->data.end());
        if (packet->push) {
            frames.push_back(std::move(frame));
            frame.clear();
        }
    }
    if (!frame.empty())
        return Fail(why, "DDP: a frame without push at the end"), std::nullopt;
    return frames;
}

std::optional<std::vector<TBytes>> Tpm2NetFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                                 std::string& why) {
    std::vector<TBytes> frames;
    TBytes frame;
    int expected = 1;
    size_t firstSize = 0;
    for (const CUdpReceiver::SDatagram& datagram : in) {
        const std::optional<STpm2NetPacket> packet = DecodeTpm2Net(datagram.bytes, why);
        if (!packet)
            return std::nullopt;
        if (packet->number != expected)
            return Fail(why, "tpm2.net: packet " + std::to_string(packet->number) + " where " +
                                 std::to_string(expected) + " was due"),
                   std::nullopt;
        // A receiver places packet n at (n - 1) x the first packet's size.
        if (packet->number == 1)
            firstSize = packet->data.size();
        else if (frame.size() != (static_cast<size_t>(packet->number) - 1) * firstSize)
            return Fail(why, "tpm2.net: packets of unequal size before the last"), std::nullopt;
        frame.insert(frame.end(), packet->data.begin(), packet->data.end());
        if (packet->number == packet->count) {
            frames.push_back(std::move(frame));
            frame.clear();
            expected = 1;
        } else {
            ++expected;
        }
    }
    if (expected != 1)
        return Fail(why, "tpm2.net: the last frame is incomplete"), std::nullopt;
    return frames;
}

std::optional<std::vector<TBytes>> FtFrames(const std::vector<CUdpReceiver::SDatagram>& in, int& x,
                                            int& y, std::string& why) {
    std::vector<TBytes> frames;
    for (const CUdpReceiver::SDatagram& datagram : in) {
        const std::optional<SFtPicture> picture = DecodeFlaschenTaschen(datagram.bytes, why);
        if (!picture)
            return std::nullopt;
        if (picture->width != 48 || picture->height != 32)
            return Fail(why, "FT: picture is not 48 x 32"), std::nullopt;
        x = picture->x;
        y = picture->y;
        frames.push_back(picture->rgb);
    }
    return frames;
}

TBytes RowOrderFrame(const std::vector<std::uint32_t>& screen, bool single,
                     std::array<std::uint8_t, 3> lit, std::array<std::uint8_t, 3> off) {
    TBytes out;
    for (int row = 0; row < 32; ++row)
        for (int column = 0; column < 48; ++column) {
            const bool on = (screen[static_cast<size_t>(column)] & (0x80000000u >> row)) != 0;
            if (single) {
                out.push_back(on ? 255 : 0);
            } else {
                const auto& colour = on ? lit : off;
                out.insert(out.end(), colour.begin(), colour.end());
            }
        }
    return out;
}
