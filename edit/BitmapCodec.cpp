#include "edit/BitmapCodec.h"

#include <cstdint>

namespace {

constexpr std::size_t kPixelOffset = 62;
constexpr std::size_t kRowBytes = 8; // 6 bytes of pixels, padded to 4-byte lines
constexpr std::size_t kPaletteOffset = 54;
constexpr std::size_t kFileSizeOffset = 2;
constexpr std::size_t kWidthOffset = 18;

void Put16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Where the pixel of `column` in file row `fileRow` lives. File row i is
// screen row 31 - i, which is bit i of a column word.
std::size_t PixelByte(int fileRow, int column) {
    return kPixelOffset + kRowBytes * static_cast<std::size_t>(fileRow) +
           static_cast<std::size_t>(column / 8);
}

unsigned char PixelBit(int column) {
    return static_cast<unsigned char>(0x80u >> (column % 8));
}

} // namespace

std::string EncodeBitmap(std::span<const Word, kWordsPerScreen> screen) {
    std::string bytes(kBitmapFileBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, kFileSizeOffset, kBitmapFileBytes);
    Put32(bytes, 10, kPixelOffset);
    Put32(bytes, 14, 40); // BITMAPINFOHEADER
    Put32(bytes, kWidthOffset, kScreenColumns);
    Put32(bytes, 22, kScreenRows); // positive: bottom row first
    Put16(bytes, 26, 1);           // planes
    Put16(bytes, 28, 1);           // bits per pixel
    Put32(bytes, 34, kRowBytes * kScreenRows);
    Put32(bytes, 46, 2); // colours used
    Put32(bytes, 50, 2); // colours important
    // Entry 0 black, entry 1 white with its reserved byte set, as the
    // program has always written it.
    Put32(bytes, kPaletteOffset + 4, 0xFFFFFFFFu);
    for (int fileRow = 0; fileRow < kScreenRows; ++fileRow)
        for (int column = 0; column < kScreenColumns; ++column)
            if ((screen[column] & (Word{1} << fileRow)) == 0)
                bytes[PixelByte(fileRow, column)] |= static_cast<char>(PixelBit(column));
    return bytes;
}

std::optional<std::array<Word, kWordsPerScreen>> DecodeBitmap(std::string_view bytes) {
    if (bytes.size() < kBitmapFileBytes ||
        static_cast<unsigned char>(bytes[kFileSizeOffset]) != (kBitmapFileBytes & 0xFF) ||
        static_cast<unsigned char>(bytes[kWidthOffset]) != kScreenColumns)
        return std::nullopt;
    std::array<Word, kWordsPerScreen> screen{};
    for (int fileRow = 0; fileRow < kScreenRows; ++fileRow)
        for (int column = 0; column < kScreenColumns; ++column)
            if ((static_cast<unsigned char>(bytes[PixelByte(fileRow, column)]) &
                 PixelBit(column)) == 0)
                screen[column] |= Word{1} << fileRow;
    return screen;
}
