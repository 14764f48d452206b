#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where live output goes: a receiver on the network, reached by one of the
// protocols LED controllers take, or a serial line.

// The protocol of a target.
enum class EOutputKind { E131, ArtNet, Ddp, Tpm2Net, FlaschenTaschen, Tpm2Serial };

// A target as the user names it:
//   e131://HOST[:PORT]/UNIVERSE    artnet://HOST[:PORT]/UNIVERSE
//   ddp://HOST[:PORT]   tpm2net://HOST[:PORT]   ft://HOST[:PORT]
//   tpm2:DEVICE[?baud=N]
// HOST is a name, an IPv4 address or an IPv6 address in brackets.
struct SOutputTarget {
    EOutputKind kind = EOutputKind::Ddp;
    std::string host;   // network targets
    int port = 0;       // network targets; the protocol's port unless given
    int universe = 0;   // E1.31 (1..63999) and Art-Net (the 15-bit port address)
    std::string device; // serial
    int baud = 0;       // serial
    bool operator==(const SOutputTarget&) const = default;
};

inline constexpr int kE131Port = 5568;
inline constexpr int kArtNetPort = 6454;
inline constexpr int kDdpPort = 4048;
inline constexpr int kTpm2NetPort = 65506;
inline constexpr int kFlaschenTaschenPort = 1337;
inline constexpr int kDefaultBaud = 115200;
inline constexpr int kMinE131Universe = 1;
inline constexpr int kMaxE131Universe = 63999;
inline constexpr int kMaxArtNetPortAddress = 32767;

// The port a protocol listens on; 0 for the serial line.
int DefaultPort(EOutputKind kind);

// Whether the protocol carries DMX universes (E1.31, Art-Net).
bool IsDmxKind(EOutputKind kind);

// The protocol's name for messages: "E1.31", "Art-Net", "DDP", "tpm2.net",
// "FlaschenTaschen", "TPM2".
const char* KindName(EOutputKind kind);

// The whole of `text` as a decimal number within [lo, hi] (a leading '-'
// allowed, no '+'); nullopt for anything else.
std::optional<int> DecimalIn(std::string_view text, int lo, int hi);

// Whether `baud` is a rate the serial line can be set to.
bool IsSupportedBaud(int baud);

// Parses a target. On anything else returns nullopt and sets `error` to one
// line saying what is wrong (the text it quotes is not escaped).
std::optional<SOutputTarget> ParseOutputTarget(std::string_view text, std::string& error);

// The target written the way ParseOutputTarget reads it; the port and the
// baud rate only where they differ from the defaults.
std::string OutputTargetText(const SOutputTarget& target);
