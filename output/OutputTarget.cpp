#include "output/OutputTarget.h"

#include <array>
#include <cctype>
#include <charconv>

namespace {

struct SScheme {
    EOutputKind kind;
    std::string_view prefix;
};

constexpr std::array<SScheme, 6> kSchemes = {{
    {EOutputKind::E131, "e131://"},
    {EOutputKind::ArtNet, "artnet://"},
    {EOutputKind::Ddp, "ddp://"},
    {EOutputKind::Tpm2Net, "tpm2net://"},
    {EOutputKind::FlaschenTaschen, "ft://"},
    {EOutputKind::Tpm2Serial, "tpm2:"},
}};

// Decimal digits only (at most nine), within [lo, hi].
std::optional<int> Number(std::string_view text, int lo, int hi) {
    if (text.size() > 9 || text.starts_with('-'))
        return std::nullopt;
    return DecimalIn(text, lo, hi);
}

// A host name or address as getaddrinfo takes it: no spaces, no control
// bytes, nothing that could be taken for a path or an option.
bool PlausibleHost(std::string_view host) {
    if (host.empty() || host.size() > 253 || host[0] == '-')
        return false;
    for (const char c : host) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7f || c == '/' || c == '?' || c == '@' || c == '[' ||
            c == ']')
            return false;
    }
    return true;
}

// HOST[:PORT] of a network target into `target`.
bool ParseHostPort(std::string_view text, SOutputTarget& target, std::string& error) {
    std::string_view host = text;
    std::string_view port;
    if (!text.empty() && text[0] == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) {
            error = "an IPv6 address needs its closing ']'";
            return false;
        }
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') {
                error = "unexpected text after the address";
                return false;
            }
            port = rest.substr(1);
            if (port.empty()) {
                error = "missing the port after ':'";
                return false;
            }
        }
        if (host.empty() || host.find(':') == std::string_view::npos) {
            error = "brackets hold an IPv6 address";
            return false;
        }
        for (const char c : host)
            if (!(std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.')) {
                error = "brackets hold an IPv6 address";
                return false;
            }
    } else {
        const size_t colon = text.find(':');
        if (colon != std::string_view::npos) {
            if (text.find(':', colon + 1) != std::string_view::npos) {
                error = "write an IPv6 address in brackets: [ADDRESS]";
                return false;
            }
            host = text.substr(0, colon);
            port = text.substr(colon + 1);
            if (port.empty()) {
                error = "missing the port after ':'";
                return false;
            }
        }
        if (host.empty()) {
            error = "missing the host";
            return false;
        }
        if (!PlausibleHost(host)) {
            error = "'" + std::string(host) + "' is no host name or address";
            return false;
        }
    }
    target.host = std::string(host);
    target.port = DefaultPort(target.kind);
    if (!port.empty()) {
        const std::optional<int> number = Number(port, 1, 65535);
        if (!number) {
            error = "the port is a number from 1 to 65535, not '" + std::string(port) + "'";
            return false;
        }
        target.port = *number;
    }
    return true;
}

bool ParseSerial(std::string_view text, SOutputTarget& target, std::string& error) {
    std::string_view device = text;
    target.baud = kDefaultBaud;
    const size_t query = text.find('?');
    if (query != std::string_view::npos) {
        device = text.substr(0, query);
        const std::string_view option = text.substr(query + 1);
        constexpr std::string_view kBaud = "baud=";
        if (option.substr(0, kBaud.size()) != kBaud) {
            error = "the only option of a serial target is ?baud=N";
            return false;
        }
        const std::string_view rate = option.substr(kBaud.size());
        const std::optional<int> baud = Number(rate, 1, 100000000);
        if (!baud || !IsSupportedBaud(*baud)) {
            error = "unsupported baud rate '" + std::string(rate) +
                    "' (9600, 19200, 38400, 57600, 115200, 230400, 460800, 500000, 576000, "
                    "921600, 1000000 ... 4000000)";
            return false;
        }
        target.baud = *baud;
    }
    if (device.empty()) {
        error = "missing the serial device (tpm2:/dev/ttyACM0)";
        return false;
    }
    for (const char c : device)
        if (static_cast<unsigned char>(c) < 0x20) {
            error = "the device name holds a control character";
            return false;
        }
    target.device = std::string(device);
    return true;
}

} // namespace

int DefaultPort(EOutputKind kind) {
    switch (kind) {
    case EOutputKind::E131:
        return kE131Port;
    case EOutputKind::ArtNet:
        return kArtNetPort;
    case EOutputKind::Ddp:
        return kDdpPort;
    case EOutputKind::Tpm2Net:
        return kTpm2NetPort;
    case EOutputKind::FlaschenTaschen:
        return kFlaschenTaschenPort;
    case EOutputKind::Tpm2Serial:
        return 0;
    }
    return 0;
}

bool IsDmxKind(EOutputKind kind) {
    return kind == EOutputKind::E131 || kind == EOutputKind::ArtNet;
}

const char* KindName(EOutputKind kind) {
    switch (kind) {
    case EOutputKind::E131:
        return "E1.31";
    case EOutputKind::ArtNet:
        return "Art-Net";
    case EOutputKind::Ddp:
        return "DDP";
    case EOutputKind::Tpm2Net:
        return "tpm2.net";
    case EOutputKind::FlaschenTaschen:
        return "FlaschenTaschen";
    case EOutputKind::Tpm2Serial:
        return "TPM2";
    }
    return "";
}

std::optional<int> DecimalIn(std::string_view text, int lo, int hi) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi)
        return std::nullopt;
    return value;
}

std::optional<SOutputTarget> ParseOutputTarget(std::string_view text, std::string& error) {
    SOutputTarget target;
    const SScheme* scheme = nullptr;
    for (const SScheme& known : kSchemes)
        if (text.substr(0, known.prefix.size()) == known.prefix)
            scheme = &known;
    if (scheme == nullptr) {
        error = "a target starts with e131://, artnet://, ddp://, tpm2net://, ft:// or tpm2:";
        return std::nullopt;
    }
    target.kind = scheme->kind;
    std::string_view rest = text.substr(scheme->prefix.size());
    if (target.kind == EOutputKind::Tpm2Serial) {
        if (!ParseSerial(rest, target, error))
            return std::nullopt;
        return target;
    }
    const size_t slash = rest.find('/');
    std::string_view universe;
    if (slash != std::string_view::npos) {
        universe = rest.substr(slash + 1);
        rest = rest.substr(0, slash);
    }
    if (!ParseHostPort(rest, target, error))
        return std::nullopt;
    if (!IsDmxKind(target.kind)) {
        if (slash != std::string_view::npos) {
            error = std::string("a ") + KindName(target.kind) + " target takes no '/...'";
            return std::nullopt;
        }
        return target;
    }
    const bool e131 = target.kind == EOutputKind::E131;
    const int lo = e131 ? kMinE131Universe : 0;
    const int hi = e131 ? kMaxE131Universe : kMaxArtNetPortAddress;
    const std::optional<int> number = Number(universe, lo, hi);
    if (!number) {
        error = std::string(e131 ? "the E1.31 universe" : "the Art-Net universe (port address)") +
                " after '/' is a number from " + std::to_string(lo) + " to " + std::to_string(hi);
        if (slash != std::string_view::npos)
            error += ", not '" + std::string(universe) + "'";
        return std::nullopt;
    }
    target.universe = *number;
    return target;
}

std::string OutputTargetText(const SOutputTarget& target) {
    std::string text;
    for (const SScheme& scheme : kSchemes)
        if (scheme.kind == target.kind)
            text = std::string(scheme.prefix);
    if (target.kind == EOutputKind::Tpm2Serial) {
        text += target.device;
        if (target.baud != kDefaultBaud)
            text += "?baud=" + std::to_string(target.baud);
        return text;
    }
    text += target.host.find(':') != std::string::npos ? "[" + target.host + "]" : target.host;
    if (target.port != DefaultPort(target.kind))
        text += ":" + std::to_string(target.port);
    if (IsDmxKind(target.kind))
        text += "/" + std::to_string(target.universe);
    return text;
}
