// Live output: targets and options as the user types them, each protocol's
// packets read back by decoders written from the protocol descriptions,
// every target on loopback (TPM2 over a pseudo terminal), paced playback
// and the editor's sending thread.

#include "output/ArtNetPacket.h"
#include "output/DdpPacket.h"
#include "output/E131Packet.h"
#include "output/FlaschenTaschenPacket.h"
#include "output/LiveOutput.h"
#include "output/OutputOptions.h"
#include "output/OutputTarget.h"
#include "output/ScreenPlayer.h"
#include "output/SignStream.h"
#include "output/Tpm2Packet.h"
#include "signs/SignReceivers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <numeric>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

using TScreen = std::vector<std::uint32_t>;

// A screen with a pattern that differs for each `n`: a diagonal from
// (n, 0), the corners, and every dot of row n % 32.
TScreen PatternScreen(int n) {
    TScreen screen(kWordsPerScreen, 0);
    for (int i = 0; i < 32; ++i)
        screen[static_cast<size_t>((n + i) % 48)] |= 0x80000000u >> i;
    screen[0] |= 0x80000001u;
    screen[47] |= 0x80000001u;
    for (int column = 0; column < 48; ++column)
        screen[static_cast<size_t>(column)] |= 0x80000000u >> (n % 32);
    return screen;
}

SOutputTarget Target(const std::string& text) {
    std::string error;
    const std::optional<SOutputTarget> target = ParseOutputTarget(text, error);
    EXPECT_TRUE(target) << text << ": " << error;
    return target.value_or(SOutputTarget{});
}

TBytes Bytes(const std::vector<std::uint8_t>& in) {
    return TBytes(in.begin(), in.end());
}

TEST(OutputTarget, ParsesEveryKindAndRefusesTheRest) {
    struct SCase {
        const char* text;
        EOutputKind kind;
        const char* host;
        int port;
        int universe;
    };
    const SCase good[] = {
        {"e131://10.0.0.5/1", EOutputKind::E131, "10.0.0.5", 5568, 1},
        {"e131://sign.local:6000/63999", EOutputKind::E131, "sign.local", 6000, 63999},
        {"artnet://node/0", EOutputKind::ArtNet, "node", 6454, 0},
        {"artnet://[fe80::1]:7000/32767", EOutputKind::ArtNet, "fe80::1", 7000, 32767},
        {"ddp://wled.local", EOutputKind::Ddp, "wled.local", 4048, 0},
        {"ddp://[::1]", EOutputKind::Ddp, "::1", 4048, 0},
        {"tpm2net://127.0.0.1:1", EOutputKind::Tpm2Net, "127.0.0.1", 1, 0},
        {"ft://ft.noise:65535", EOutputKind::FlaschenTaschen, "ft.noise", 65535, 0},
    };
    for (const SCase& c : good) {
        const SOutputTarget target = Target(c.text);
        EXPECT_EQ(c.kind, target.kind) << c.text;
        EXPECT_EQ(c.host, target.host) << c.text;
        EXPECT_EQ(c.port, target.port) << c.text;
        EXPECT_EQ(c.universe, target.universe) << c.text;
        EXPECT_EQ(c.text, OutputTargetText(target));
    }
    const SOutputTarget serial = Target("tpm2:/dev/ttyACM0?baud=921600");
    EXPECT_EQ(EOutputKind::Tpm2Serial, serial.kind);
    EXPECT_EQ("/dev/ttyACM0", serial.device);
    EXPECT_EQ(921600, serial.baud);
    EXPECT_EQ(115200, Target("tpm2:/dev/ttyUSB0").baud);
    EXPECT_EQ("tpm2:/dev/ttyUSB0", OutputTargetText(Target("tpm2:/dev/ttyUSB0?baud=115200")));

    for (const char* bad : {"",
                            "udp://host",
                            "e131://host",
                            "e131://host/",
                            "e131://host/0",
                            "e131://host/64000",
                            "e131://host/-1",
                            "e131://host/1x",
                            "artnet://host/32768",
                            "artnet://host/-0",
                            "artnet://host/+0",
                            "ddp://",
                            "ddp://:4048",
                            "ddp://host:",
                            "ddp://host:0",
                            "ddp://host:65536",
                            "ddp://host:12ab",
                            "ddp://host/1",
                            "ddp://a b",
                            "ddp://-host",
                            "ddp://fe80::1",
                            "ddp://[fe80::1",
                            "ddp://[host]",
                            "ddp://[::1]x",
                            "ft://host?x",
                            "tpm2:",
                            "tpm2:?baud=9600",
                            "tpm2:/dev/tty?baud=12345",
                            "tpm2:/dev/tty?speed=9600",
                            "tpm2:/dev/tty?baud=",
                            "tpm2:/dev/\ttty"}) {
        std::string error;
        EXPECT_FALSE(ParseOutputTarget(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
        EXPECT_EQ(std::string::npos, error.find('\n')) << bad;
    }
}

TEST(OutputTarget, DecimalNumbersAreWholeAndWithinTheirRange) {
    struct SCase {
        const char* text;
        int lo, hi;
        std::optional<int> value;
    };
    const SCase cases[] = {
        {"0", 0, 9, 0},
        {"-1024", -1024, 1024, -1024},
        {"1024", -1024, 1024, 1024},
        {"007", 0, 9, 7},
        {"-0", 0, 9, 0},
        {"1025", -1024, 1024, {}},
        {"-1025", -1024, 1024, {}},
        {"", 0, 9, {}},
        {"+1", 0, 9, {}},
        {" 1", 0, 9, {}},
        {"1 ", 0, 9, {}},
        {"1x", 0, 9, {}},
        {"2147483648", 0, 2147483647, {}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(c.value, DecimalIn(c.text, c.lo, c.hi)) << "'" << c.text << "'";
}

TEST(OutputOptions, ValuesAndLimits) {
    EXPECT_EQ((SLedColour{0x12, 0xab, 0xEF}), ParseRgb("12abEF"));
    EXPECT_EQ("12ABEF", RgbText(SLedColour{0x12, 0xab, 0xef}));
    for (const char* bad : {"", "12345", "1234567", "12345G", "#12345", " 12345"})
        EXPECT_FALSE(ParseRgb(bad)) << bad;

    int a = 0;
    int b = 0;
    EXPECT_TRUE(ParsePanelSize("64x32", a, b));
    EXPECT_EQ(64, a);
    EXPECT_EQ(32, b);
    EXPECT_TRUE(ParsePanelSize("1024x1", a, b));
    for (const char* bad :
         {"64", "0x32", "64x0", "1025x1", "-1x5", "64x-2", "x32", "64x", "64X32", "+6x3", "6 x3"})
        EXPECT_FALSE(ParsePanelSize(bad, a, b)) << bad;
    EXPECT_TRUE(ParseOffset("-8,1024", a, b));
    EXPECT_EQ(-8, a);
    EXPECT_EQ(1024, b);
    for (const char* bad : {"1", "1,", ",1", "1,1025", "-1025,0", "a,b", "1;2", "+1,2"})
        EXPECT_FALSE(ParseOffset(bad, a, b)) << bad;

    // Universes a frame takes: 1536 single channels are three universes,
    // 1536 RGB dots ten of 170.
    SOutputOptions options;
    EXPECT_EQ(3, UniverseCount(Target("e131://h/1"), options));
    options.dmxRgb = true;
    EXPECT_EQ(10, UniverseCount(Target("e131://h/1"), options));
    options.panelWidth = 64;
    EXPECT_EQ(13, UniverseCount(Target("artnet://h/0"), options));

    struct SCheck {
        const char* target;
        int width, height, x, y;
        bool rgb;
        bool ok;
    };
    const SCheck checks[] = {
        {"e131://h/63997", 48, 32, 0, 0, false, true},
        {"e131://h/63998", 48, 32, 0, 0, false, false}, // would end at 64000
        {"artnet://h/32758", 48, 32, 0, 0, true, true},
        {"artnet://h/32759", 48, 32, 0, 0, true, false},
        {"tpm2:/dev/x", 128, 170, 0, 0, false, true},  // 65280 bytes
        {"tpm2:/dev/x", 128, 171, 0, 0, false, false}, // past 65535
        {"tpm2net://h", 1024, 119, 0, 0, false, true}, // 255 packets
        {"tpm2net://h", 1024, 120, 0, 0, false, false},
        {"ft://h", 48, 32, 5, 8, false, true},
        {"ft://h", 64, 32, 0, 0, false, false},
        {"ft://h", 48, 32, -1, 0, false, false},
        {"ddp://h", 1024, 1024, -1024, 1024, false, true},
        {"ddp://h", 0, 32, 0, 0, false, false},
        {"ddp://h", 48, 32, 0, 1025, false, false},
    };
    for (const SCheck& c : checks) {
        SOutputOptions o;
        o.panelWidth = c.width;
        o.panelHeight = c.height;
        o.offsetX = c.x;
        o.offsetY = c.y;
        o.dmxRgb = c.rgb;
        std::string error;
        EXPECT_EQ(c.ok, CheckOutputOptions(Target(c.target), o, error))
            << c.target << " " << c.width << "x" << c.height << ": " << error;
        EXPECT_EQ(c.ok, error.empty()) << c.target;
    }
}

TEST(OutputPackets, E131LayersAndLengths) {
    SE131Source source;
    source.cid = NewComponentId();
    EXPECT_EQ(0x40, source.cid[6] & 0xf0);
    EXPECT_EQ(0x80, source.cid[8] & 0xc0);
    EXPECT_NE(source.cid, NewComponentId());
    for (const size_t count : {size_t{512}, size_t{18}, size_t{1}, size_t{600}}) {
        TBytes slots(count);
        std::iota(slots.begin(), slots.end(), std::uint8_t{7});
        const TBytes packet = Bytes(EncodeE131Packet(source, 63999, 200, slots));
        std::string why;
        const std::optional<SDmxPacket> read = DecodeE131(packet, why);
        ASSERT_TRUE(read) << why;
        const size_t kept = std::min<size_t>(count, 512);
        EXPECT_EQ(126 + kept, packet.size());
        EXPECT_EQ(TBytes(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(kept)),
                  read->values);
        EXPECT_EQ(63999, read->universe);
        EXPECT_EQ(200, read->sequence);
        EXPECT_EQ(100, read->priority);
        EXPECT_EQ(0, read->options);
        EXPECT_EQ("Glowmotion", read->sourceName);
        EXPECT_EQ(source.cid, read->cid);
    }
    // The flags-and-length words of a full universe, as receivers know them.
    const TBytes full = Bytes(EncodeE131Packet(source, 1, 0, TBytes(512)));
    EXPECT_EQ(0x72, full[16]);
    EXPECT_EQ(0x6e, full[17]);
    EXPECT_EQ(0x72, full[38]);
    EXPECT_EQ(0x58, full[39]);
    EXPECT_EQ(0x72, full[115]);
    EXPECT_EQ(0x0b, full[116]);
    const TBytes ended = Bytes(EncodeE131Packet(source, 1, 0, TBytes(4), kE131StreamTerminated));
    EXPECT_EQ(0x40, ended[112]);
}

TEST(OutputPackets, ArtDmxPortAddressAndEvenLength) {
    struct SCase {
        std::uint16_t port;
        size_t count;
        size_t length;
    };
    for (const SCase& c : {SCase{0, 512, 512}, SCase{0x7fff, 18, 18}, SCase{0x1234, 17, 18},
                           SCase{5, 1, 2}, SCase{5, 0, 2}, SCase{5, 513, 512}}) {
        TBytes data(c.count, 0x5a);
        const TBytes packet = Bytes(EncodeArtDmx(c.port, 9, data));
        std::string why;
        const std::optional<SDmxPacket> read = DecodeArtDmx(packet, why);
        ASSERT_TRUE(read) << why;
        EXPECT_EQ(c.port, read->universe);
        EXPECT_EQ(c.port & 0xff, packet[14]); // SubUni
        EXPECT_EQ(c.port >> 8, packet[15]);   // Net
        EXPECT_EQ(9, read->sequence);
        ASSERT_EQ(c.length, read->values.size());
        for (size_t i = 0; i < c.length; ++i)
            EXPECT_EQ(i < std::min<size_t>(c.count, 512) ? 0x5a : 0, read->values[i]) << i;
    }
}

TEST(OutputPackets, DdpTpm2NetAndTpm2SplitFrames) {
    for (const size_t size :
         {size_t{0}, size_t{3}, size_t{1440}, size_t{1443}, size_t{4608}, size_t{6144}}) {
        TBytes rgb(size);
        for (size_t i = 0; i < size; ++i)
            rgb[i] = static_cast<std::uint8_t>(i * 31 + i / 256);

        std::vector<CUdpReceiver::SDatagram> datagrams;
        const auto packets = EncodeDdpFrame(rgb, 15);
        EXPECT_EQ(std::max<size_t>(1, (size + 1439) / 1440), packets.size()) << size;
        for (const auto& packet : packets)
            datagrams.push_back({Bytes(packet), {}});
        std::string why;
        auto frames = DdpFrames(datagrams, why);
        ASSERT_TRUE(frames) << why;
        ASSERT_EQ(1u, frames->size());
        EXPECT_EQ(rgb, frames->front());
        EXPECT_EQ(15, DecodeDdp(datagrams.back().bytes, why)->sequence);

        datagrams.clear();
        for (const auto& packet : EncodeTpm2NetFrame(rgb))
            datagrams.push_back({Bytes(packet), {}});
        EXPECT_EQ(std::max<size_t>(1, (size + 1439) / 1440), datagrams.size()) << size;
        frames = Tpm2NetFrames(datagrams, why);
        ASSERT_TRUE(frames) << why;
        ASSERT_EQ(1u, frames->size());
        EXPECT_EQ(rgb, frames->front());

        TBytes rest;
        const std::vector<TBytes> serial =
            DecodeTpm2Stream(Bytes(EncodeTpm2Frame(rgb)), &rest, why);
        EXPECT_TRUE(why.empty()) << why;
        ASSERT_EQ(1u, serial.size());
        EXPECT_EQ(rgb, serial.front());
        EXPECT_TRUE(rest.empty());
    }
    EXPECT_EQ(65535u + 5, EncodeTpm2Frame(TBytes(70000)).size());
    EXPECT_EQ(255u, EncodeTpm2NetFrame(TBytes(255 * 1440 + 9)).size());
}

TEST(OutputPackets, FlaschenTaschenPictureAndFooter) {
    TBytes rgb(48 * 32 * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<std::uint8_t>(i % 251);
    // Data bytes that look like whitespace or '#' must not confuse the footer.
    rgb.back() = '\n';
    rgb[rgb.size() - 2] = '#';
    const TBytes packet = Bytes(EncodeFlaschenTaschen(rgb, 48, 32, 16, 3, 2));
    std::string why;
    const std::optional<SFtPicture> read = DecodeFlaschenTaschen(packet, why);
    ASSERT_TRUE(read) << why;
    EXPECT_EQ(48, read->width);
    EXPECT_EQ(32, read->height);
    EXPECT_EQ(rgb, read->rgb);
    EXPECT_EQ(16, read->x);
    EXPECT_EQ(3, read->y);
    EXPECT_EQ(2, read->z);
    const std::string head(packet.begin(), packet.begin() + 13);
    EXPECT_EQ("P6\n48 32\n255\n", head);
    // Short data is padded black.
    const TBytes padded = Bytes(EncodeFlaschenTaschen(TBytes(5, 9), 2, 2, 0, 0));
    EXPECT_EQ(TBytes({9, 9, 9, 9, 9, 0, 0, 0, 0, 0, 0, 0}),
              DecodeFlaschenTaschen(padded, why)->rgb);
}

// Sends `screens` through a stream to a loopback receiver of the target's
// kind and returns the frames it decoded.
std::vector<TBytes> LoopbackFrames(const std::string& scheme, const std::string& path,
                                   const SOutputOptions& options,
                                   const std::vector<TScreen>& screens, int* ftX = nullptr,
                                   int* ftY = nullptr) {
    CUdpReceiver receiver;
    const SOutputTarget target =
        Target(scheme + "127.0.0.1:" + std::to_string(receiver.Port()) + path);
    std::string error;
    EXPECT_TRUE(CheckOutputOptions(target, options, error)) << error;
    SOutputError failure;
    std::unique_ptr<CSignStream> stream = CSignStream::Open(target, options, failure);
    EXPECT_TRUE(stream) << OutputErrorText(failure);
    if (!stream)
        return {};
    for (const TScreen& screen : screens) {
        EXPECT_TRUE(stream->Send(screen.data(), failure)) << OutputErrorText(failure);
        // Give the receiver time for each frame's burst.
        std::this_thread::sleep_for(2ms);
    }
    const auto datagrams = receiver.WaitQuiet(150ms, 5s);
    std::string why;
    std::optional<std::vector<TBytes>> frames;
    const int universes = IsDmxKind(target.kind) ? UniverseCount(target, options) : 0;
    int x = 0;
    int y = 0;
    switch (target.kind) {
    case EOutputKind::E131:
        frames = E131Frames(datagrams, target.universe, universes, why);
        break;
    case EOutputKind::ArtNet:
        frames = ArtNetFrames(datagrams, target.universe, universes, why);
        break;
    case EOutputKind::Ddp:
        frames = DdpFrames(datagrams, why);
        break;
    case EOutputKind::Tpm2Net:
        frames = Tpm2NetFrames(datagrams, why);
        break;
    case EOutputKind::FlaschenTaschen:
        frames = FtFrames(datagrams, x, y, why);
        break;
    case EOutputKind::Tpm2Serial:
        break;
    }
    if (ftX != nullptr)
        *ftX = x;
    if (ftY != nullptr)
        *ftY = y;
    EXPECT_TRUE(frames) << scheme << ": " << why;
    return frames.value_or(std::vector<TBytes>{});
}

TEST(OutputLoopback, EveryTargetGetsEveryFrameInOrder) {
    std::vector<TScreen> screens;
    for (int n = 0; n < 12; ++n)
        screens.push_back(PatternScreen(n));
    SOutputOptions rgb;
    rgb.lit = {0x10, 0x20, 0x30};
    rgb.off = {1, 2, 3};
    rgb.dmxRgb = true;
    struct SCase {
        const char* scheme;
        const char* path;
        bool rgbOptions;
        bool single;
    };
    for (const SCase& c :
         {SCase{"e131://", "/7", false, true}, SCase{"e131://", "/1", true, false},
          SCase{"artnet://", "/0", false, true}, SCase{"artnet://", "/300", true, false},
          SCase{"ddp://", "", false, false}, SCase{"ddp://", "", true, false},
          SCase{"tpm2net://", "", true, false}, SCase{"ft://", "", true, false}}) {
        const SOutputOptions options = c.rgbOptions ? rgb : SOutputOptions{};
        const std::vector<TBytes> frames = LoopbackFrames(c.scheme, c.path, options, screens);
        ASSERT_EQ(screens.size(), frames.size()) << c.scheme << c.path;
        for (size_t n = 0; n < screens.size(); ++n) {
            TBytes expected = RowOrderFrame(screens[n], c.single,
                                            {options.lit.red, options.lit.green, options.lit.blue},
                                            {options.off.red, options.off.green, options.off.blue});
            // Art-Net pads an odd last universe with a zero channel.
            if (std::string(c.scheme) == "artnet://" && expected.size() % 2 != 0)
                expected.push_back(0);
            EXPECT_EQ(expected, frames[n]) << c.scheme << c.path << " frame " << n;
        }
    }
}

TEST(OutputLoopback, PanelWiringAndFlaschenTaschenOffset) {
    // A 64 x 40 panel, columns from the bottom-right, serpentine, the screen
    // at (10, 4): each panel dot shows the screen dot under it.
    SOutputOptions options;
    options.wiring = {EWiringOrigin::BottomRight, EWiringScan::Columns, true};
    options.panelWidth = 64;
    options.panelHeight = 40;
    options.offsetX = 10;
    options.offsetY = 4;
    const TScreen screen = PatternScreen(5);
    const std::vector<TBytes> frames = LoopbackFrames("ddp://", "", options, {screen});
    ASSERT_EQ(1u, frames.size());
    ASSERT_EQ(64u * 40 * 3, frames[0].size());
    for (int index = 0; index < 64 * 40; ++index) {
        // Columns from the right, lines running up first, then down.
        const int line = index / 40;
        const int along = line % 2 == 0 ? index % 40 : 39 - index % 40;
        const int column = 63 - line;
        const int row = 39 - along;
        const int sx = column - 10;
        const int sy = row - 4;
        const bool lit = sx >= 0 && sx < 48 && sy >= 0 && sy < 32 &&
                         (screen[static_cast<size_t>(sx)] & (0x80000000u >> sy)) != 0;
        ASSERT_EQ(lit ? 255 : 0, frames[0][static_cast<size_t>(index) * 3]) << index;
    }

    SOutputOptions ft;
    ft.offsetX = 16;
    ft.offsetY = 3;
    // The wiring does not apply to a picture.
    ft.wiring = {EWiringOrigin::BottomRight, EWiringScan::Columns, true};
    int x = -1;
    int y = -1;
    const std::vector<TBytes> pictures = LoopbackFrames("ft://", "", ft, {screen}, &x, &y);
    ASSERT_EQ(1u, pictures.size());
    EXPECT_EQ(RowOrderFrame(screen, false), pictures[0]);
    EXPECT_EQ(16, x);
    EXPECT_EQ(3, y);
}

// A pseudo terminal pair: the program opens the slave by its name, the test
// reads what arrives at the master.
class CPtyPair {
public:
    CPtyPair() {
        char name[128] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0)
            m_name = name;
    }
    ~CPtyPair() {
        CloseMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    bool Ok() const { return !m_name.empty(); }
    const std::string& Name() const { return m_name; }
    void CloseMaster() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }
    // Reads until `bytes` arrived or nothing came for `quiet`.
    TBytes Read(size_t bytes, std::chrono::milliseconds quiet) {
        TBytes out;
        std::uint8_t buffer[4096];
        while (out.size() < bytes) {
            pollfd waiting{m_master, POLLIN, 0};
            if (::poll(&waiting, 1, static_cast<int>(quiet.count())) <= 0)
                break;
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0)
                break;
            out.insert(out.end(), buffer, buffer + got);
        }
        return out;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_name;
};

TEST(OutputSerial, Tpm2FramesOverAPseudoTerminal) {
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    SOutputError failure;
    const SOutputTarget target = Target("tpm2:" + pty.Name() + "?baud=921600");
    SOutputOptions options;
    options.lit = {0xff, 0x80, 0x00};
    std::unique_ptr<CSignStream> stream = CSignStream::Open(target, options, failure);
    ASSERT_TRUE(stream) << OutputErrorText(failure);
    std::vector<TScreen> screens;
    for (int n = 0; n < 4; ++n)
        screens.push_back(PatternScreen(n * 7));
    // The pty holds a few kilobytes: read while writing.
    std::thread writer([&] {
        for (const TScreen& screen : screens)
            EXPECT_TRUE(stream->Send(screen.data(), failure)) << OutputErrorText(failure);
    });
    const TBytes stream_bytes = pty.Read(4 * (48 * 32 * 3 + 5), 2s);
    writer.join();
    std::string why;
    TBytes rest;
    const std::vector<TBytes> frames = DecodeTpm2Stream(stream_bytes, &rest, why);
    EXPECT_TRUE(why.empty()) << why;
    EXPECT_TRUE(rest.empty());
    ASSERT_EQ(screens.size(), frames.size());
    for (size_t n = 0; n < screens.size(); ++n)
        EXPECT_EQ(RowOrderFrame(screens[n], false, {0xff, 0x80, 0x00}), frames[n]) << n;

    // The line was set raw: a 0x0a byte stays one byte, nothing is echoed.
    termios settings{};
    const int fd = ::open(pty.Name().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(0, ::tcgetattr(fd, &settings));
    EXPECT_EQ(0u, settings.c_oflag & OPOST);
    EXPECT_EQ(0u, settings.c_lflag & (ECHO | ICANON));
    EXPECT_EQ(static_cast<tcflag_t>(CS8), settings.c_cflag & CSIZE);
    EXPECT_EQ(static_cast<speed_t>(B921600), ::cfgetospeed(&settings));
    ::close(fd);

    // Unplugged: the far end goes away and the next frame fails.
    pty.CloseMaster();
    EXPECT_FALSE(stream->Send(screens[0].data(), failure));
    EXPECT_EQ(EOutputFailure::Write, failure.what);
    EXPECT_EQ(pty.Name(), failure.subject);
}

TEST(OutputSerial, DevicesThatCannotServeRefuseToOpen) {
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    struct SCase {
        std::string device;
        EOutputFailure what;
    };
    for (const SCase& c : {SCase{"/nonexistent/ttyACM9", EOutputFailure::OpenDevice},
                           SCase{"/dev/null", EOutputFailure::NotSerial}}) {
        SOutputError failure;
        EXPECT_FALSE(CSignStream::Open(Target("tpm2:" + c.device), {}, failure)) << c.device;
        EXPECT_EQ(c.what, failure.what) << c.device;
        EXPECT_EQ(c.device, failure.subject);
        const std::string text = OutputErrorText(failure);
        EXPECT_NE(std::string::npos, text.find(c.device)) << text;
        EXPECT_EQ(std::string::npos, text.find('\n')) << text;
        EXPECT_FALSE(OutputErrorMessage(failure).empty());
    }
}

TEST(OutputPlayback, PacedFramesKeepAliveAndStop) {
    CUdpReceiver receiver;
    SOutputError failure;
    std::unique_ptr<CSignStream> stream = CSignStream::Open(
        Target("ddp://127.0.0.1:" + std::to_string(receiver.Port())), {}, failure);
    ASSERT_TRUE(stream) << OutputErrorText(failure);
    std::vector<std::uint32_t> words;
    for (int n = 0; n < 3; ++n) {
        const TScreen screen = PatternScreen(n);
        words.insert(words.end(), screen.begin(), screen.end());
    }
    // Two runs of three screens, 60 ms each, repeats every 25 ms between.
    SPlayback playback;
    playback.delayMs = 60;
    playback.repeat = 2;
    playback.keepAliveMs = 25;
    std::vector<long long> told;
    EXPECT_EQ(EPlayEnd::Finished, PlayScreens(*stream, words, playback, nullptr, failure,
                                              [&](long long frame) { told.push_back(frame); }));
    EXPECT_EQ((std::vector<long long>{0, 1, 2, 3, 4, 5}), told);
    std::string why;
    const auto frames = DdpFrames(receiver.WaitQuiet(100ms, 5s), why);
    ASSERT_TRUE(frames) << why;
    // Every screen in order, each at least once more as a keep-alive.
    std::vector<TBytes> distinct;
    for (const TBytes& frame : *frames)
        if (distinct.empty() || distinct.back() != frame)
            distinct.push_back(frame);
    ASSERT_EQ(6u, distinct.size());
    for (size_t n = 0; n < 6; ++n)
        EXPECT_EQ(RowOrderFrame(PatternScreen(static_cast<int>(n % 3)), false), distinct[n]);
    EXPECT_GT(frames->size(), 6u);

    // Stopped: the sign goes dark.
    volatile std::sig_atomic_t stop = 0;
    playback.forever = true;
    std::thread stopper([&] {
        std::this_thread::sleep_for(150ms);
        stop = 1;
    });
    EXPECT_EQ(EPlayEnd::Stopped, PlayScreens(*stream, words, playback, &stop, failure));
    stopper.join();
    const auto after = DdpFrames(receiver.WaitQuiet(100ms, 5s), why);
    ASSERT_TRUE(after) << why;
    EXPECT_EQ(TBytes(48 * 32 * 3, 0), after->back());
}

TEST(LiveOutput, LatestScreenWinsKeepsAliveAndEndsDark) {
    CUdpReceiver receiver;
    CLiveOutput live;
    std::atomic<int> failures = 0;
    const SOutputTarget target =
        Target("e131://127.0.0.1:" + std::to_string(receiver.Port()) + "/1");
    live.Start(target, {}, [&](const SOutputError&) { ++failures; });
    // A burst of screens: the sign ends on the last one, whatever it skipped.
    for (int n = 0; n < 200; ++n)
        live.Show(PatternScreen(n).data());
    std::string why;
    std::optional<std::vector<TBytes>> frames;
    const TBytes last = RowOrderFrame(PatternScreen(199), true);
    for (int tries = 0; tries < 100; ++tries) {
        frames = E131Frames(receiver.Datagrams(), 1, 3, why);
        if (frames && !frames->empty() && frames->back() == last)
            break;
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(frames) << why;
    ASSERT_FALSE(frames->empty());
    EXPECT_EQ(last, frames->back());
    EXPECT_LT(frames->size(), 200u);
    // Unchanged, the frame comes again at least once a second.
    const size_t before = receiver.Datagrams().size();
    std::this_thread::sleep_for(1100ms);
    EXPECT_GE(receiver.Datagrams().size(), before + 3);
    // The test lighting: every dot, then the screen again.
    EXPECT_TRUE(live.Running());
    live.Flash(100);
    for (int tries = 0; tries < 100; ++tries) {
        frames = E131Frames(receiver.Datagrams(), 1, 3, why);
        if (frames && frames->size() >= 2 && (*frames)[frames->size() - 2] == TBytes(1536, 255) &&
            frames->back() == last)
            break;
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(frames && frames->size() >= 2);
    EXPECT_EQ(TBytes(1536, 255), (*frames)[frames->size() - 2]);
    EXPECT_EQ(last, frames->back());
    live.Stop();
    EXPECT_FALSE(live.Running());
    frames = E131Frames(receiver.WaitQuiet(100ms, 5s), 1, 3, why);
    ASSERT_TRUE(frames) << why;
    EXPECT_EQ(TBytes(1536, 0), frames->back());
    EXPECT_EQ(0, failures.load());
    // Sequence numbers count per universe, one source for the run.
    const auto datagrams = receiver.Datagrams();
    std::string reason;
    const auto first = DecodeE131(datagrams[0].bytes, reason);
    const auto fourth = DecodeE131(datagrams[3].bytes, reason);
    ASSERT_TRUE(first && fourth);
    EXPECT_EQ(first->cid, fourth->cid);
    EXPECT_EQ(first->universe, fourth->universe);
    EXPECT_EQ((first->sequence + 1) % 256, fourth->sequence);
}

TEST(LiveOutput, FailuresEndTheRunAndAreReported) {
    // A device that cannot be opened, then one unplugged while sending.
    std::mutex mutex;
    std::condition_variable told;
    std::vector<SOutputError> errors;
    const auto onFailure = [&](const SOutputError& error) {
        const std::lock_guard lock(mutex);
        errors.push_back(error);
        told.notify_all();
    };
    const auto waitFor = [&](size_t count) {
        std::unique_lock lock(mutex);
        return told.wait_for(lock, 10s, [&] { return errors.size() >= count; });
    };
    CLiveOutput live;
    live.Start(Target("tpm2:/nonexistent/ttyUSB7"), {}, onFailure);
    ASSERT_TRUE(waitFor(1));
    EXPECT_EQ(EOutputFailure::OpenDevice, errors[0].what);
    EXPECT_FALSE(live.Running());

    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    live.Start(Target("tpm2:" + pty.Name()), {}, onFailure);
    live.Show(PatternScreen(1).data());
    EXPECT_FALSE(pty.Read(4613, 2s).empty());
    pty.CloseMaster();
    // A slow or vanished receiver never holds the caller.
    for (int n = 0; n < 50; ++n)
        live.Show(PatternScreen(n).data());
    ASSERT_TRUE(waitFor(2));
    EXPECT_EQ(EOutputFailure::Write, errors[1].what);
    EXPECT_FALSE(live.Running());
    live.Stop();
}

} // namespace
