#include "output/OutputOptions.h"

#include "output/Tpm2Packet.h"
#include "store/HexDigit.h"

namespace {

// At most six characters: "-1024" and the like.
std::optional<int> SignedNumber(std::string_view text, int lo, int hi) {
    if (text.size() > 6)
        return std::nullopt;
    return DecimalIn(text, lo, hi);
}

} // namespace

int FrameDots(const SOutputTarget& target, const SOutputOptions& options) {
    if (target.kind == EOutputKind::FlaschenTaschen)
        return kScreenColumns * kScreenRows;
    return options.panelWidth * options.panelHeight;
}

int FrameChannelCount(const SOutputTarget& target, const SOutputOptions& options) {
    const bool single = IsDmxKind(target.kind) && !options.dmxRgb;
    return FrameDots(target, options) * (single ? 1 : 3);
}

int ChannelsPerUniverse(const SOutputOptions& options) {
    return options.dmxRgb ? kDmxRgbUniverseChannels : kDmxUniverseChannels;
}

int UniverseCount(const SOutputTarget& target, const SOutputOptions& options) {
    const int per = ChannelsPerUniverse(options);
    return (FrameChannelCount(target, options) + per - 1) / per;
}

bool CheckOutputOptions(const SOutputTarget& target, const SOutputOptions& options,
                        std::string& error) {
    const auto side = [](int n) { return n >= 1 && n <= kMaxPanelSide; };
    const auto offset = [](int n) { return n >= -kMaxPanelOffset && n <= kMaxPanelOffset; };
    if (!side(options.panelWidth) || !side(options.panelHeight)) {
        error = "a panel has 1 to 1024 dots a side";
        return false;
    }
    if (!offset(options.offsetX) || !offset(options.offsetY)) {
        error = "an offset lies within -1024 and 1024";
        return false;
    }
    const int channels = FrameChannelCount(target, options);
    switch (target.kind) {
    case EOutputKind::E131:
    case EOutputKind::ArtNet: {
        const bool e131 = target.kind == EOutputKind::E131;
        const int last = target.universe + UniverseCount(target, options) - 1;
        const int highest = e131 ? kMaxE131Universe : kMaxArtNetPortAddress;
        if (last > highest) {
            error = std::string("a frame takes ") + KindName(target.kind) + " universes " +
                    std::to_string(target.universe) + " to " + std::to_string(last) +
                    ", past the last one, " + std::to_string(highest);
            return false;
        }
        return true;
    }
    case EOutputKind::Ddp:
        return true;
    case EOutputKind::Tpm2Net:
        if (channels > kTpm2NetMaxPackets * kTpm2NetPacketData) {
            error = "a tpm2.net frame holds at most " +
                    std::to_string(kTpm2NetMaxPackets * kTpm2NetPacketData / 3) + " dots";
            return false;
        }
        return true;
    case EOutputKind::Tpm2Serial:
        if (channels > kTpm2MaxFrameData) {
            error = "a TPM2 frame holds at most " + std::to_string(kTpm2MaxFrameData / 3) + " dots";
            return false;
        }
        return true;
    case EOutputKind::FlaschenTaschen:
        if (options.panelWidth != kScreenColumns || options.panelHeight != kScreenRows) {
            error = "FlaschenTaschen takes the screen as a picture: the server knows its own "
                    "size, and the offset places the screen on it";
            return false;
        }
        if (options.offsetX < 0 || options.offsetY < 0) {
            error = "a FlaschenTaschen offset is zero or more";
            return false;
        }
        return true;
    }
    return true;
}

std::optional<SLedColour> ParseRgb(std::string_view text) {
    if (text.size() != 6)
        return std::nullopt;
    int channel[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[static_cast<size_t>(2 * i)]);
        const int low = HexDigit(text[static_cast<size_t>(2 * i + 1)]);
        if (high < 0 || low < 0)
            return std::nullopt;
        channel[i] = high * 16 + low;
    }
    return SLedColour{static_cast<std::uint8_t>(channel[0]), static_cast<std::uint8_t>(channel[1]),
                      static_cast<std::uint8_t>(channel[2])};
}

std::string RgbText(const SLedColour& colour) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t value : {colour.red, colour.green, colour.blue}) {
        text += kDigits[value >> 4];
        text += kDigits[value & 15];
    }
    return text;
}

bool ParsePanelSize(std::string_view text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string_view::npos)
        return false;
    const std::optional<int> w = SignedNumber(text.substr(0, x), 1, kMaxPanelSide);
    const std::optional<int> h = SignedNumber(text.substr(x + 1), 1, kMaxPanelSide);
    if (!w || !h)
        return false;
    width = *w;
    height = *h;
    return true;
}

bool ParseOffset(std::string_view text, int& x, int& y) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    const std::optional<int> first =
        SignedNumber(text.substr(0, comma), -kMaxPanelOffset, kMaxPanelOffset);
    const std::optional<int> second =
        SignedNumber(text.substr(comma + 1), -kMaxPanelOffset, kMaxPanelOffset);
    if (!first || !second)
        return false;
    x = *first;
    y = *second;
    return true;
}
