#include "app/QvlFormat.h"

bool IsValidQvlLength(size_t length) {
    return length <= static_cast<size_t>(kMaxAnimationBytes) && length % kScreenBytes == 0;
}

std::string EncodeQvl(const Word* words, size_t wordCount) {
    std::string bytes(wordCount * 4, '\0');
    for (size_t i = 0; i < wordCount; ++i) {
        const Word w = words[i];
        bytes[4 * i] = static_cast<char>(w & 0xFF);
        bytes[4 * i + 1] = static_cast<char>((w >> 8) & 0xFF);
        bytes[4 * i + 2] = static_cast<char>((w >> 16) & 0xFF);
        bytes[4 * i + 3] = static_cast<char>((w >> 24) & 0xFF);
    }
    return bytes;
}

void DecodeQvl(std::string_view bytes, Word* words) {
    const size_t count = bytes.size() / 4;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < count; ++i)
        words[i] = Word{b[4 * i]} | Word{b[4 * i + 1]} << 8 | Word{b[4 * i + 2]} << 16 |
                   Word{b[4 * i + 3]} << 24;
}
