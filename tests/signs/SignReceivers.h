#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The receiving side of live output for the tests: a UDP listener and
// decoders of every protocol, written from the protocols' descriptions and
// independent of the program's encoders.

using TBytes = std::vector<std::uint8_t>;

// Listens on a UDP port of a local address (an ephemeral one unless told)
// and keeps every datagram with the time it came.
class CUdpReceiver {
public:
    explicit CUdpReceiver(const std::string& address = "127.0.0.1", int port = 0);
    ~CUdpReceiver();
    CUdpReceiver(const CUdpReceiver&) = delete;
    CUdpReceiver& operator=(const CUdpReceiver&) = delete;

    int Port() const { return m_port; }

    struct SDatagram {
        TBytes bytes;
        std::chrono::steady_clock::time_point at;
    };
    // The datagrams so far.
    std::vector<SDatagram> Datagrams() const;
    // Waits until `count` datagrams came or `timeout` passed; the datagrams.
    std::vector<SDatagram> WaitFor(size_t count, std::chrono::milliseconds timeout) const;
    // Waits until no datagram came for `quiet` (at most `timeout`).
    std::vector<SDatagram> WaitQuiet(std::chrono::milliseconds quiet,
                                     std::chrono::milliseconds timeout) const;

private:
    void Listen();

    int m_socket = -1;
    int m_port = 0;
    bool m_stop = false;
    mutable std::mutex m_mutex;
    std::vector<SDatagram> m_datagrams;
    std::thread m_thread;
};

// An E1.31 data packet or an ArtDmx packet: the universe (E1.31) or the
// port address (Art-Net), the sequence and the DMX values after the start
// code.
struct SDmxPacket {
    int universe = 0;
    int sequence = 0;
    TBytes values;
    // E1.31 only.
    std::array<std::uint8_t, 16> cid{};
    std::string sourceName;
    int priority = 0;
    int options = 0;
};
std::optional<SDmxPacket> DecodeE131(const TBytes& packet, std::string& why);
std::optional<SDmxPacket> DecodeArtDmx(const TBytes& packet, std::string& why);

// A DDP packet.
struct SDdpPacket {
    bool push = false;
    int sequence = 0;
    int dataType = 0;
    int destination = 0;
    std::uint32_t offset = 0;
    TBytes data;
};
std::optional<SDdpPacket> DecodeDdp(const TBytes& packet, std::string& why);

// A tpm2.net data packet.
struct STpm2NetPacket {
    int number = 0;
    int count = 0;
    TBytes data;
};
std::optional<STpm2NetPacket> DecodeTpm2Net(const TBytes& packet, std::string& why);

// A FlaschenTaschen datagram: the picture and its offset footer (or #FT:
// header comment).
struct SFtPicture {
    int width = 0;
    int height = 0;
    TBytes rgb;
    int x = 0;
    int y = 0;
    int z = 0;
};
std::optional<SFtPicture> DecodeFlaschenTaschen(const TBytes& packet, std::string& why);

// The TPM2 frames of a serial byte stream (0xC9 0xDA size data 0x36); bytes
// left over after the last whole frame stay in `rest`.
std::vector<TBytes> DecodeTpm2Stream(const TBytes& stream, TBytes* rest, std::string& why);

// Whole frames (the bytes of every dot, in order) from the datagrams of one
// protocol, or nullopt with `why` when a packet is malformed or out of
// order. E1.31 and Art-Net frames take `universes` packets each, from
// universe `first` up with one sequence number.
std::optional<std::vector<TBytes>> E131Frames(const std::vector<CUdpReceiver::SDatagram>& in,
                                              int first, int universes, std::string& why);
std::optional<std::vector<TBytes>> ArtNetFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                                int first, int universes, std::string& why);
std::optional<std::vector<TBytes>> DdpFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                             std::string& why);
std::optional<std::vector<TBytes>> Tpm2NetFrames(const std::vector<CUdpReceiver::SDatagram>& in,
                                                 std::string& why);
std::optional<std::vector<TBytes>> FtFrames(const std::vector<CUdpReceiver::SDatagram>& in, int& x,
                                            int& y, std::string& why);

// The values a frame of the 48 x 32 screen of column words `screen` takes,
// dots row by row from the top-left: one byte a dot (255 lit, 0 unlit) when
// `single`, else the lit or off colour's three bytes.
TBytes RowOrderFrame(const std::vector<std::uint32_t>& screen, bool single,
                     std::array<std::uint8_t, 3> lit = {255, 255, 255},
                     std::array<std::uint8_t, 3> off = {0, 0, 0});
