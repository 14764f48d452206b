#pragma once

#include <cstdint>
#include <span>
#include <vector>

// FlaschenTaschen: a frame is one UDP datagram holding a binary PPM (P6)
// picture, followed by the offset footer that places it on the display.

// The datagram of the `width` x `height` picture `rgb` (three bytes a dot,
// rows from the top, each from the left; missing bytes are black): the
// header "P6\n<width> <height>\n255\n", the data, then the footer
// "\n<x> <y> <z>\n" with the offset of its top-left dot and its layer.
std::vector<std::uint8_t> EncodeFlaschenTaschen(std::span<const std::uint8_t> rgb, int width,
                                                int height, int offsetX, int offsetY,
                                                int layer = 0);
