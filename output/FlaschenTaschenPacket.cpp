#include "output/FlaschenTaschenPacket.h"

#include <algorithm>
#include <string>

std::vector<std::uint8_t> EncodeFlaschenTaschen(std::span<const std::uint8_t> rgb, int width,
                                                int height, int offsetX, int offsetY, int layer) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const std::string header =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    const std::string footer = "\n" + std::to_string(offsetX) + " " + std::to_string(offsetY) +
                               " " + std::to_string(layer) + "\n";
    const std::size_t data = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.reserve(header.size() + data + footer.size());
    const std::size_t copied = std::min(data, rgb.size());
    out.insert(out.end(), rgb.begin(), rgb.begin() + static_cast<std::ptrdiff_t>(copied));
    out.resize(header.size() + data, 0);
    out.insert(out.end(), footer.begin(), footer.end());
    return out;
}
