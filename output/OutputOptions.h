#pragma once

#include "output/OutputTarget.h"
#include "store/DotOrder.h"
#include "store/ScreenGeometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How the dots of a screen become the values a sign takes.

// A colour, 8 bits a channel.
struct SLedColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const SLedColour&) const = default;
};

// What live output sends besides the target: the colours of lit and unlit
// dots, the wiring of the sign and the panel the screen is placed on.
struct SOutputOptions {
    SLedColour lit{255, 255, 255};
    SLedColour off{0, 0, 0};
    // E1.31 and Art-Net: three channels a dot in the two colours instead of
    // one channel a dot (255 lit, 0 unlit).
    bool dmxRgb = false;
    SWiring wiring;
    // The dots of the sign; the screen's top-left dot sits at (offsetX,
    // offsetY) of it and panel dots off the screen stay off. FlaschenTaschen
    // sends the screen itself and hands the offset to the server instead.
    int panelWidth = kScreenColumns;
    int panelHeight = kScreenRows;
    int offsetX = 0;
    int offsetY = 0;
    bool operator==(const SOutputOptions&) const = default;
};

inline constexpr int kMaxPanelSide = 1024;
inline constexpr int kMaxPanelOffset = 1024;
// DMX channels of a universe, and the channels of the whole dots a universe
// holds in RGB (170 dots).
inline constexpr int kDmxUniverseChannels = 512;
inline constexpr int kDmxRgbUniverseChannels = 510;

// The dots of one frame the target gets.
int FrameDots(const SOutputTarget& target, const SOutputOptions& options);

// The bytes of one frame: one a dot for single-channel DMX, else three.
int FrameChannelCount(const SOutputTarget& target, const SOutputOptions& options);

// E1.31 and Art-Net: the channels a universe carries and the number of
// consecutive universes one frame takes.
int ChannelsPerUniverse(const SOutputOptions& options);
int UniverseCount(const SOutputTarget& target, const SOutputOptions& options);

// Whether `options` suit `target`: a panel of 1..1024 dots a side and an
// offset within +-1024, universes that stay within the protocol's range,
// frames within the protocol's size limit (tpm2.net: 255 packets, TPM2:
// 65535 bytes, FlaschenTaschen: one datagram), FlaschenTaschen without a
// panel of its own and with an offset of zero or more. Otherwise false with
// `error` set to one line.
bool CheckOutputOptions(const SOutputTarget& target, const SOutputOptions& options,
                        std::string& error);

// "RRGGBB" (hexadecimal, either case) and back (upper case).
std::optional<SLedColour> ParseRgb(std::string_view text);
std::string RgbText(const SLedColour& colour);

// "WxH" of a panel (each 1..1024) and "X,Y" of an offset (each within
// +-1024).
bool ParsePanelSize(std::string_view text, int& width, int& height);
bool ParseOffset(std::string_view text, int& x, int& y);
