#include "store/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

// One iconv conversion descriptor for the life of a call.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` and returns the output; a sequence that cannot be
    // converted is skipped by `skipBytes(in)` input bytes and replaced by
    // `replacement`.
    template <typename Skip>
    std::string Convert(std::string_view in, std::string_view replacement, Skip skipBytes) {
        std::string out;
        if (!Ok())
            return out;
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or cut-off sequence.
            const size_t skip = std::min(srcLeft, skipBytes(std::string_view(src, srcLeft)));
            src += skip;
            srcLeft -= skip;
            out.append(replacement);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts `s`, at least 1.
size_t Utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    for (size_t i = 1; i < length; ++i) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return i;
    }
    return length;
}

} // namespace

size_t Cp932CharacterLength(std::string_view bytes) {
    if (bytes.empty())
        return 0;
    return bytes.size() >= 2 && IsCp932LeadByte(static_cast<unsigned char>(bytes[0])) &&
                   IsCp932TrailByte(static_cast<unsigned char>(bytes[1]))
               ? 2
               : 1;
}

size_t FindCp932Character(std::string_view bytes, char ascii) {
    for (size_t pos = 0; pos < bytes.size(); pos += Cp932CharacterLength(bytes.substr(pos)))
        if (bytes[pos] == ascii)
            return pos;
    return std::string_view::npos;
}

std::string Utf8ToCp932(std::string_view utf8) {
    CIconv cd("CP932", "UTF-8");
    return cd.Convert(utf8, "?", Utf8SequenceLength);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    // ASCII reads the same in both; the macro list decodes a line per
    // go-to-screen step, and those are digits.
    if (std::all_of(cp932.begin(), cp932.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::string(cp932);
    CIconv cd("UTF-8", "CP932");
    return cd.Convert(cp932, "\xEF\xBF\xBD", Cp932CharacterLength);
}

int Cp932Length(std::string_view utf8) {
    // ASCII is one byte in both encodings; the form reads its texts on every
    // command, and they are mostly empty or ASCII.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; }))
        return static_cast<int>(utf8.size());
    return static_cast<int>(Utf8ToCp932(utf8).size());
}

std::string TruncateToCp932Bytes(std::string_view utf8, int maxBytes) {
    std::string result;
    int bytes = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t length = Utf8SequenceLength(utf8.substr(pos));
        const std::string_view character = utf8.substr(pos, length);
        const int size = Cp932Length(character);
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        result.append(character);
        pos += length;
    }
    return result;
}

std::optional<char32_t> Cp932CharacterToUnicode(unsigned code) {
    if (code > 0xFFFF)
        return std::nullopt;
    std::string in;
    if (code > 0xFF)
        in += static_cast<char>(code >> 8);
    in += static_cast<char>(code & 0xFF);
    CIconv cd("UTF-32LE", "CP932");
    bool failed = false;
    const std::string out = cd.Convert(in, "", [&failed](std::string_view rest) {
        failed = true;
        return rest.size();
    });
    // Exactly one code point: a pair that converts to two characters is two
    // single-byte characters, not one.
    if (failed || out.size() != 4)
        return std::nullopt;
    char32_t point = 0;
    for (int i = 3; i >= 0; --i)
        point = point << 8 | static_cast<unsigned char>(out[static_cast<size_t>(i)]);
    return point;
}
